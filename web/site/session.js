// The page's place on the device: the screen kept awake while the show plays,
// the lock screen's and headphones' controls, and full screen (a fixed overlay
// where the Fullscreen API is missing).
import { showEnd } from './clock.js';
import { isRunning, isShowing } from './phase.js';

let wakeLock = null;  // the screen wake lock while held
let overlay = false;  // full screen by a fixed overlay, where the Fullscreen API is missing
export const holdsWakeLock = () => Boolean(wakeLock && !wakeLock.released);

// Held while playing and not paused; a hidden tab loses it, so it is taken again on return.
export async function keepAwake() {
  const wanted = isRunning();
  if (!wanted) {
    const lock = wakeLock;
    wakeLock = null;
    await lock?.release().catch((error) => console.warn(`the wake lock: ${error.message}`));
    return;
  }
  if (wakeLock && !wakeLock.released) return;
  if (!navigator.wakeLock || document.visibilityState !== 'visible') return;
  try {
    const lock = await navigator.wakeLock.request('screen');
    // Paused while asking: let it go at once.
    if (isRunning()) wakeLock = lock;
    else await lock.release();
  } catch {
    // Refused (battery saver, a frame not allowed to): the screen may dim.
  }
}
document.addEventListener('visibilitychange', keepAwake);

// `actions`: play, pause, seekBy(ms), seekTo(ms).
export function startMediaSession(actions, seekMs) {
  if (!('mediaSession' in navigator)) return;
  navigator.mediaSession.metadata = new MediaMetadata({
    title: 'Vantrelle X2',
    artwork: [64, 128, 256].map((n) => ({ src: new URL(`icons/${n}.png`, location.href).href, sizes: `${n}x${n}`, type: 'image/png' })),
  });
  const handlers = {
    play: () => actions.play(),
    pause: () => actions.pause(),
    seekbackward: (details) => actions.seekBy(-(details.seekOffset ?? seekMs / 1000) * 1000),
    seekforward: (details) => actions.seekBy((details.seekOffset ?? seekMs / 1000) * 1000),
    seekto: (details) => actions.seekTo(details.seekTime * 1000),
  };
  for (const [action, handler] of Object.entries(handlers)) {
    try {
      navigator.mediaSession.setActionHandler(action, handler);
    } catch {
      // An action this browser does not know.
    }
  }
}

// What the lock screen shows: playing or not, and where.
export function showSessionState(time) {
  if (!('mediaSession' in navigator)) return;
  navigator.mediaSession.playbackState = !isShowing() ? 'none' : isRunning() ? 'playing' : 'paused';
  if (isShowing()) {
    navigator.mediaSession.setPositionState?.({ duration: showEnd() / 1000, position: Math.min(Math.max(0, time), showEnd()) / 1000, playbackRate: 1 });
  }
}

const fullscreenApi = () => document.fullscreenEnabled && document.documentElement.requestFullscreen;

export function isFullscreen() { return Boolean(document.fullscreenElement) || overlay; }

export function toggleFullscreen() {
  if (fullscreenApi()) {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen().catch((error) => console.warn(`full screen: ${error.message}`));
  } else {
    overlay = !overlay;
    document.body.classList.toggle('overlay', overlay);
    dispatchEvent(new Event('resize'));
  }
}
