// Clock and sound. The show's time is the position of the music being heard;
// without sound, the page's own clock. The sound's state is this module's own.
import { isPaused, isRunning } from './phase.js';
import { decodeSoundtrack, soundtrackName } from './soundtrack.js';

let end = 0;  // ms: the show's end, from the engine
let from = 0;  // ms of the show: where the clock last started, or where it holds while paused
let origin = 0;  // the clock's reading (ms) when the show goes on from `from`
let audio = null;  // the AudioContext, made at the first tap: making one takes a while, and it stays silent until a tap anyway
let decoding = null;  // a promise of the whole soundtrack decoded (of null when there is none)
let playable = null;  // a promise of the first soundtrack that can play: its head, or the whole (or null)
let playableSettled = false;  // `playable` has settled: play can start with sound
let head = null;  // the decoded start of the soundtrack, while the whole is on its way
let whole = null;  // the whole soundtrack, once decoded
let soundtrack = null;  // what the sound plays from (the head, then the whole); null runs silent
let source = null;  // the AudioBufferSourceNode now playing
let sourceStart = 0;  // audio.currentTime when the sound started playing, or will
let sourceOffset = 0;  // ms into the soundtrack where it started
let volume = null;  // the GainNode every source goes through: 0 when muted
let muted = false;

export function setShowEnd(ms) { end = ms; }
export const showEnd = () => end;
export const isMuted = () => muted;
// At the soundtrack's rate where it is decoded by then, so that it plays unresampled.
const audioContext = () => (audio ??= new AudioContext((whole ?? head) ? { sampleRate: (whole ?? head).sampleRate } : {}));
// Promises of the whole soundtrack decoded, and of the first that can play (null when there is none).
export const wholeSoundtrack = () => decoding;
export const playableSoundtrack = () => playable;
// What the sound plays from: 'head', 'whole', or null when none plays.
export const playingFrom = () => (!source ? null : source.buffer === whole ? 'whole' : 'head');

function latencyMs() { return soundtrack ? 1000 * (audio.outputLatency || 0) : 0; }
function clockMs() { return soundtrack ? 1000 * audio.currentTime : performance.now(); }

// Until a scheduled start comes, the picture holds where it starts.
export function showTime() {
  return isPaused() ? from : Math.floor(from + Math.max(0, clockMs() - origin) - latencyMs());
}
export function clampTime(t) { return Math.min(Math.max(0, t), end - 1); }

// Where in the soundtrack the sound being heard now is, in ms; null when silent.
export function soundPosition() {
  if (!source) return null;
  return sourceOffset + 1000 * Math.max(0, audio.currentTime - sourceStart) - latencyMs();
}

// The soundtrack (`sound`: a map holding it, or a promise of one) downloads
// and decodes while the title card is up. `head`, a promise of the start of
// it or of null, is decoded as soon as it comes, so that play can start with
// sound before the whole has arrived.
export function useSoundtrack(sound, headBytes = null) {
  soundtrack = null;
  head = null;
  whole = null;
  playableSettled = false;
  const decode = (bytes) => (bytes ? decodeSoundtrack(bytes) : null);
  const dropped = (what) => (error) => {
    console.warn(`${soundtrackName}: ${error?.message ?? error}; ${what}`);
    return null;
  };
  const decodingWhole = (async () => decode((await sound).get(soundtrackName)))().catch(dropped('no sound'));
  const decodingHead = Promise.resolve(headBytes).then(decode).catch(dropped('its head does not play, the whole will'));
  const current = () => decoding === decodingWhole;
  const first = new Promise((resolve) => {
    decodingHead.then((start) => {
      if (start && current() && !whole) head = start;
      if (start) resolve(start);
    });
    decodingWhole.then(resolve);
  });
  first.then(() => { if (current()) playableSettled = true; });
  decodingWhole.then((decoded) => {
    if (!current() || !decoded) return;
    whole = decoded;
    if (head && soundtrack === head) swapIn(decoded);
    head = null;
  });
  decoding = decodingWhole;
  playable = first;
}

// The whole soundtrack takes over from its head: the head stops and the whole
// goes on from the same sample, a moment ahead so that both are scheduled in
// time. The clock reads the context's time, so the picture does not move.
// Where the head had already run out, the sound joins the picture there.
const kSwapAheadSeconds = 0.2;
function swapIn(decoded) {
  soundtrack = decoded;
  const playing = source;
  if (!playing) return;
  const at = sampleAhead(kSwapAheadSeconds);
  const offset = sourceOffset + 1000 * (at - sourceStart);  // ms
  source = new AudioBufferSourceNode(audio, { buffer: decoded });
  source.connect(volume);
  source.start(at, offset / 1000);
  playing.stop(at);
  // sourceStart and sourceOffset stay: the whole goes on along the head's own
  // line, and until `at` the head is what is heard.
}

// Resolves true once the context runs, false if it has not within `ms`.
function runningWithin(ms) {
  if (audio.state === 'running') return Promise.resolve(true);
  return new Promise((resolve) => {
    const check = () => {
      if (audio.state !== 'running') return;
      audio.removeEventListener('statechange', check);
      resolve(true);
    };
    audio.addEventListener('statechange', check);
    setTimeout(() => {
      audio.removeEventListener('statechange', check);
      resolve(audio.state === 'running');
    }, ms);
  });
}

// Play waits this long for the sound to run; a context made at the tap can
// take longer to reach its device, and the sound then joins the picture.
// One not running by the later limit never will: there is no audio device.
const kWaitForSoundMs = 1000;
const kNoDeviceMs = 10000;

// Called within the gesture that plays. True when the sound is heard from the
// start, false when the show runs silent, 'late' when the soundtrack has not
// arrived or the sound does not run yet: the show starts silent and, once it
// (or its head) is decoded and the sound runs, the sound joins the picture
// where it is, or `silent()` is called when it cannot.
export async function readySound(silent) {
  audioContext();
  audio.resume().catch(() => {});  // a context that cannot run is told by its state
  const running = runningWithin(kNoDeviceMs);
  const asked = playable;
  if (playableSettled) {
    soundtrack = whole ?? head;
    if (!soundtrack) return false;
    if (await Promise.race([running, new Promise((resolve) => { setTimeout(resolve, kWaitForSoundMs, false); })])) return true;
  }
  soundtrack = null;
  Promise.all([asked, running]).then(([first, runs]) => {
    if (playable !== asked) return;
    if (first && runs) join(whole ?? head);
    else silent();
  });
  return 'late';
}

export function stopSound() {
  source?.stop();
  source = null;
}

// The context's time of the first sample frame at least `seconds` ahead.
function sampleAhead(seconds) {
  const rate = audio.sampleRate;
  return Math.ceil((audio.currentTime + seconds) * rate) / rate;
}

// Picture and sound from t on, a moment ahead so that the start is heard on time.
const kStartAheadSeconds = 0.05;
export function startAt(t) {
  stopSound();
  from = clampTime(t);
  if (soundtrack) {
    if (!volume) {
      volume = new GainNode(audio, { gain: muted ? 0 : 1 });
      volume.connect(audio.destination);
    }
    source = new AudioBufferSourceNode(audio, { buffer: soundtrack });
    source.connect(volume);
    // Started on a given sample rather than "now", which lands wherever the
    // audio thread happens to be: the clock then knows where the sound is.
    const at = sampleAhead(kStartAheadSeconds);
    source.start(at, from / 1000);
    sourceStart = at;
    sourceOffset = from;
    origin = 1000 * at;
  } else {
    origin = clockMs();
  }
}

// A soundtrack that arrives after the show started joins it where the
// picture is, read before the clock turns to the sound's.
function join(arrived) {
  const t = showTime();
  soundtrack = arrived;
  if (isRunning()) startAt(t);
}

// Called as the show pauses: the picture holds where it is and the sound stops.
export function hold() {
  from = showTime();
  stopSound();
}

// While paused, the picture holds at `t` (within the show) instead; returns where.
export function holdAt(t) {
  from = clampTime(t);
  return from;
}

export function setMuted(on) {
  muted = on;
  if (volume) volume.gain.value = muted ? 0 : 1;
}
