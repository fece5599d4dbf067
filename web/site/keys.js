// The page's keys: what each does on the title card and while the show plays.
// The buttons' titles in index.html name them.
export const kSeekMs = 5000;  // one press of an arrow key

// Whenever a data set is loaded; letters either case.
const kAnyTime = { f: ['toggleFullscreen'], m: ['toggleMute'], Home: ['home'], r: ['toggleReduceFlashing'] };
// While the show plays, paused or not. Escape leaves full screen first, then the show.
const kPlaying = { ' ': ['togglePlay'], ArrowLeft: ['seekBy', -kSeekMs], ArrowRight: ['seekBy', kSeekMs] };

// The action for `key` as [name, ...arguments] of the controls' actions, or
// null where the key is not the page's. On the title card, any key that
// types, and Enter, plays (not F5, Tab and the like), unless embedded.
export function keyAction(key, { playing, embedded, fullscreen }) {
  const action = kAnyTime[key.length === 1 ? key.toLowerCase() : key];
  if (action) return action;
  if (!playing) return !embedded && (key.length === 1 || key === 'Enter') ? ['togglePlay'] : null;
  if (key === 'Escape') return [fullscreen ? 'toggleFullscreen' : 'end'];
  return kPlaying[key] ?? null;
}

// Keys that would scroll the page around an embedded show.
export const kScrollKeys = new Set([' ', 'ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'PageUp', 'PageDown', 'Home', 'End']);
