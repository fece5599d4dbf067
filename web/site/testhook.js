// ?test: the page's hook for the browser tests (window.vantrelleTest).
import { isMuted, playableSoundtrack, playingFrom, showTime, wholeSoundtrack } from './clock.js';
import { dataBase } from './data.js';
import { decodeSoundtrack, soundtrackHead, soundtrackName } from './soundtrack.js';
import { frameSize } from './frame.js';
import { params } from './page.js';
import { isPaused, isShowing } from './phase.js';
import { isUpright } from './present.js';
import { holdsWakeLock } from './session.js';
import { clipRange } from './scrub.js';
import { making, reducingFlashes } from './flashing.js';
import { flashStretchesMarked } from './marks.js';
import { makeClip } from './clip.js';

export function installTestHook({ opened, ready, offline, soundPosition, clip, layoutShift }) {
  if (!params.has('test')) return;
  const { call, vectors, inWorker } = opened;
  const loaded = ready.then(() => undefined, (error) => { throw error.message; });
  loaded.catch(() => {});  // reported on the page; a test reads it from `ready`
  window.vantrelleTest = {
    ready: loaded,
    vectors,  // whether this page runs the engine's vector build
    engine: inWorker ? 'worker' : 'page',  // where the engine runs
    // The frame for t alone, drawn over black: what `vantrelle-render --times t --raw` writes (a promise).
    frameAt: (t) => call('frameAlone', { t }),
    // The same through the reduced-flash filter: `vantrelle-render --times t --reduce-flashing --raw`.
    reducedFrameAt: (t) => call('frameAlone', { t, reduce: true }),
    reducedFramesAt: (times) => Promise.all(times.map((t) => call('frameAlone', { t, reduce: true }))),
    // What the screen's canvas shows, as RGBA bytes (a promise).
    shownPixels: () => call('pixels'),
    // What the engine's side downloaded (the page's own list where it runs
    // in the page), as resource timing entries of this page's clock (a promise).
    engineDownloads: async () => (inWorker ? (await call('downloads'))
      .map(({ name, start, end }) => ({ name, startTime: start - performance.timeOrigin, responseEnd: end - performance.timeOrigin })) : []),
    // How many frames the engine has put on the canvas so far (a promise).
    framesPainted: () => call('painted'),
    // For the tests of sound and tables: the decoded soundtrack (the first
    // that can play, its head or the whole; or the whole), the clock, a start-up table.
    soundtrack: playableSoundtrack,
    wholeSoundtrack,
    // The start of the soundtrack's first `bytes` bytes, cut and decoded as a
    // head is while the whole downloads.
    async soundtrackHead(bytes) {
      const response = await fetch(new URL(soundtrackName, dataBase()));
      const head = soundtrackHead(new Uint8Array(await response.arrayBuffer()).subarray(0, bytes));
      return decodeSoundtrack(head.bytes);
    },
    clock: () => ({ picture: showTime(), sound: soundPosition() }),
    table: (index) => call('table', { index }),
    // For the phone tests: how the player stands (the sound playing from the
    // soundtrack's head or the whole), and whether the service worker holds everything.
    state: () => ({ playing: isShowing(), paused: isPaused(), muted: isMuted(), upright: isUpright(), playingFrom: playingFrom(),
      wakeLock: holdsWakeLock(), clipRange: clipRange(), reduceFlashing: reducingFlashes(), flashStretches: flashStretchesMarked() }),
    offline: () => offline,
    // The layout's shifts since the page opened, summed; null where the browser does not report them.
    layoutShift: () => (layoutShift.measured ? layoutShift.total : null),
    // The map being made for a data set without its own: state ('none',
    // 'making', 'made', 'failed', 'abandoned'), progress 0..1, the map's text once made,
    // how many were started and abandoned, and the ms the last one took.
    flashMapMaking: () => ({ ...making }),
    // The RGB565 frames a clip of this range hands its encoder, as the viewer sees them now (no sound).
    async clipFrames(from, to) {
      const frames = [];
      const seeFrame = (frame) => frames.push(new Uint8Array(frame.buffer, frame.byteOffset, frameSize.bytes).slice());
      await makeClip(opened, null, from, to, { reduce: reducingFlashes(), seeFrame });
      return frames;
    },
    // The clip the Save clip button would save for this range: { type, bytes }.
    clip: (from, to) => clip(from, to).then(({ type, bytes }) => ({ type, bytes })),
  };
}
