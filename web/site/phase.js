// Where the show stands, one value changed only by `setPhase`:
// 'loading'   no data set yet;
// 'card'      the title card is up;
// 'starting'  play is getting the sound ready, the card still up;
// 'playing'   the show runs;
// 'paused'    the show holds its picture.
let current = 'loading';
const listeners = [];

export const phase = () => current;
// A data set is loaded: the card or the show is up.
export const isReady = () => current !== 'loading';
// The show is on, paused or not.
export const isShowing = () => current === 'playing' || current === 'paused';
export const isPaused = () => current === 'paused';
export const isRunning = () => current === 'playing';

// `listener(phase)` after each change.
export function onPhase(listener) { listeners.push(listener); }

export function setPhase(next) {
  if (next === current) return;
  current = next;
  for (const listener of listeners) listener(next);
}
