// When the show's next frame is drawn: on the display's next animation frame,
// or, while the tab is hidden and the picture is still watched (in the small
// window of picture-in-picture), on a worker's tick, since a hidden tab gets
// no animation frames. Either way the frame is drawn for the sound's time.
const kHiddenTickMs = 1000 / 60;

let pending = null;  // the callback waiting for the next frame
let animationFrame = 0;
let watched = false;
let ticker = null;
let ticking = false;

function run() {
  cancelAnimationFrame(animationFrame);
  animationFrame = 0;
  const callback = pending;
  pending = null;
  callback?.();
}

function hidden() { return document.visibilityState === 'hidden'; }

// The worker starts on first need and then only ticks while it is needed.
function tickWhenNeeded() {
  const wanted = watched && hidden();
  if (wanted === ticking) return;
  ticking = wanted;
  if (!ticker && wanted) {
    ticker = new Worker(new URL('ticker.js', import.meta.url));
    ticker.onmessage = () => { if (pending && hidden()) run(); };
  }
  ticker?.postMessage(wanted ? kHiddenTickMs : 0);
}

// One callback waits at a time: asking again replaces it.
export function nextFrame(callback) {
  pending = callback;
  if (!animationFrame && !hidden()) animationFrame = requestAnimationFrame(run);
}

// Whether anything shows the picture while the tab is hidden.
export function setWatched(on) {
  watched = on;
  tickWhenNeeded();
}

document.addEventListener('visibilitychange', () => {
  tickWhenNeeded();
  if (pending && !hidden() && !animationFrame) animationFrame = requestAnimationFrame(run);
});
