// The page's place on the device: the screen kept awake while the show plays,
// the lock screen's and headphones' controls, and full screen (a fixed overlay
// where the Fullscreen API is missing).
import { player } from './state.js';

// Held while playing and not paused; a hidden tab loses it, so it is taken again on return.
export async function keepAwake() {
  const wanted = player.playing && !player.paused;
  if (!wanted) {
    const lock = player.wakeLock;
    player.wakeLock = null;
    await lock?.release().catch((error) => console.warn(`the wake lock: ${error.message}`));
    return;
  }
  if (player.wakeLock && !player.wakeLock.released) return;
  if (!navigator.wakeLock || document.visibilityState !== 'visible') return;
  try {
    const lock = await navigator.wakeLock.request('screen');
    // Paused while asking: let it go at once.
    if (player.playing && !player.paused) player.wakeLock = lock;
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
  navigator.mediaSession.playbackState = !player.playing ? 'none' : player.paused ? 'paused' : 'playing';
  if (player.playing) {
    navigator.mediaSession.setPositionState?.({ duration: player.end / 1000, position: Math.min(Math.max(0, time), player.end) / 1000, playbackRate: 1 });
  }
}

const fullscreenApi = () => document.fullscreenEnabled && document.documentElement.requestFullscreen;

export function isFullscreen() { return Boolean(document.fullscreenElement) || player.overlay; }

export function toggleFullscreen() {
  if (fullscreenApi()) {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen().catch((error) => console.warn(`full screen: ${error.message}`));
  } else {
    player.overlay = !player.overlay;
    document.body.classList.toggle('overlay', player.overlay);
    dispatchEvent(new Event('resize'));
  }
}
