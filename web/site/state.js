// The player's whole state, declared in one place: the modules that act on
// the player read and write these fields, and it has no others.
export const params = new URLSearchParams(location.search);
export const embedded = params.has('embed');
export const $ = (id) => document.getElementById(id);

// The engine's frame in pixels and RGB565 bytes, as the engine gives it once open.
export const frameSize = { width: 0, height: 0, bytes: 0 };
export function setFrameSize(width, height) {
  Object.assign(frameSize, { width, height, bytes: 2 * width * height });
}

export const player = {
  ready: false,  // a data set is loaded and the title card is up
  playing: false,  // the show runs, paused or not; false on the title card
  starting: false,  // play() is getting the sound ready
  paused: false,
  from: 0,  // ms of the show: where the clock last started, or where it holds while paused
  origin: 0,  // the clock's reading (ms) when the show goes on from `from`
  end: 0,  // ms: the show's end, from the engine
  segmentStarts: [],  // ms: where each segment starts, then the end
  audio: null,  // the AudioContext, made when the soundtrack first needs it
  decoding: null,  // a promise of the whole soundtrack decoded (of null when there is none)
  playable: null,  // a promise of the first soundtrack that can play: its head, or the whole (or null)
  playableSettled: false,  // `playable` has settled: play can start with sound
  head: null,  // the decoded start of the soundtrack, while the whole is on its way
  whole: null,  // the whole soundtrack, once decoded
  soundtrack: null,  // what the sound plays from (the head, then the whole); null runs silent
  source: null,  // the AudioBufferSourceNode now playing
  sourceStart: 0,  // audio.currentTime when `source` started, or will
  sourceOffset: 0,  // ms into the soundtrack where `source` started
  volume: null,  // the GainNode every source goes through: 0 when muted
  muted: false,
  silentNoticeShown: false,  // "No sound" is said once
  upright: false,  // the display is shown upright (the frame turned a quarter)
  wakeLock: null,  // the screen wake lock while held
  overlay: false,  // full screen by a fixed overlay, where the Fullscreen API is missing
  reduceFlashing: false,  // the viewer sees the frames through the reduced-flash filter
  flashStretches: [],  // [from, to) ms where the show flashes, for the bar; empty until known
  clipRange: null,  // { from, to } ms: the range chosen on the bar for Save clip; null for the default
  clipUpright: false,  // Save clip makes the upright (vertical) shape rather than landscape
};
