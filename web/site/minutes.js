// A time as the player shows it: whole minutes and seconds, such as 4:05. No
// browser API here: the site build writes the show's length with it too.
export function minutes(ms) {
  const s = Math.max(0, Math.floor(ms / 1000));
  return `${Math.floor(s / 60)}:${String(s % 60).padStart(2, '0')}`;
}
