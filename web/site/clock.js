// Clock and sound. The show's time is the position of the music being heard;
// without sound, the page's own clock.
import { player } from './state.js';
import { decodeSoundtrack, soundtrackName } from './soundtrack.js';

function latencyMs() { return player.soundtrack ? 1000 * (player.audio.outputLatency || 0) : 0; }
function clockMs() { return player.soundtrack ? 1000 * player.audio.currentTime : performance.now(); }

// Until a scheduled start comes, the picture holds where it starts.
export function showTime() {
  return player.paused ? player.from : Math.floor(player.from + Math.max(0, clockMs() - player.origin) - latencyMs());
}
export function clampTime(t) { return Math.min(Math.max(0, t), player.end - 1); }

// Where in the soundtrack the sound being heard now is, in ms; null when silent.
export function soundPosition() {
  if (!player.source) return null;
  return player.sourceOffset + 1000 * Math.max(0, player.audio.currentTime - player.sourceStart) - latencyMs();
}

// The soundtrack (`sound`: a map holding it, or a promise of one) downloads
// and decodes while the title card is up. `head`, a promise of the start of
// it or of null, is decoded as soon as it comes, so that play can start with
// sound before the whole has arrived.
export function useSoundtrack(sound, head = null) {
  player.soundtrack = null;
  player.head = null;
  player.whole = null;
  player.playableSettled = false;
  const decode = (bytes) => {
    player.audio ??= new AudioContext();
    return bytes ? decodeSoundtrack(player.audio, bytes) : null;
  };
  const dropped = (what) => (error) => {
    console.warn(`${soundtrackName}: ${error?.message ?? error}; ${what}`);
    return null;
  };
  const decoding = (async () => decode((await sound).get(soundtrackName)))().catch(dropped('no sound'));
  const decodingHead = Promise.resolve(head).then(decode).catch(dropped('its head does not play, the whole will'));
  const current = () => player.decoding === decoding;
  const playable = new Promise((resolve) => {
    decodingHead.then((start) => {
      if (start && current() && !player.whole) player.head = start;
      if (start) resolve(start);
    });
    decoding.then(resolve);
  });
  playable.then(() => { if (current()) player.playableSettled = true; });
  decoding.then((whole) => {
    if (!current() || !whole) return;
    player.whole = whole;
    if (player.head && player.soundtrack === player.head) swapIn(whole);
    player.head = null;
  });
  player.decoding = decoding;
  player.playable = playable;
}

// The whole soundtrack takes over from its head: the head stops and the whole
// goes on from the same sample, a moment ahead so that both are scheduled in
// time. The clock reads the context's time, so the picture does not move.
// Where the head had already run out, the sound joins the picture there.
const kSwapAheadSeconds = 0.2;
function swapIn(whole) {
  player.soundtrack = whole;
  const head = player.source;
  if (!head) return;
  const at = sampleAhead(kSwapAheadSeconds);
  const offset = player.sourceOffset + 1000 * (at - player.sourceStart);  // ms
  player.source = new AudioBufferSourceNode(player.audio, { buffer: whole });
  player.source.connect(player.volume);
  player.source.start(at, offset / 1000);
  head.stop(at);
  player.sourceStart = at;
  player.sourceOffset = offset;
}

// Called within the gesture that plays. True when the sound is heard from the
// start, false when the show runs silent, 'late' when the soundtrack has not
// arrived yet: the show starts silent and `join(soundtrack or null)` is
// called once it (or its head) is decoded.
export async function readySound(join) {
  player.audio ??= new AudioContext();
  // A browser without an audio device never gets the context running.
  const running = Promise.race([player.audio.resume().then(() => true), new Promise((r) => setTimeout(r, 1000, false))])
    .then((resumed) => resumed && player.audio.state === 'running');
  const playable = player.playable;
  if (!player.playableSettled) {
    player.soundtrack = null;
    playable.then(async (soundtrack) => {
      if (player.playable === playable) join(soundtrack && (await running) ? player.whole ?? player.head : null);
    });
    return 'late';
  }
  player.soundtrack = player.whole ?? player.head;
  if (player.soundtrack && !(await running)) player.soundtrack = null;
  return player.soundtrack !== null;
}

export function stopSound() {
  player.source?.stop();
  player.source = null;
}

// The context's time of the first sample frame at least `seconds` ahead.
function sampleAhead(seconds) {
  const rate = player.audio.sampleRate;
  return Math.ceil((player.audio.currentTime + seconds) * rate) / rate;
}

// Picture and sound from t on, a moment ahead so that the start is heard on time.
const kStartAheadSeconds = 0.05;
export function startAt(t) {
  stopSound();
  player.from = clampTime(t);
  if (player.soundtrack) {
    if (!player.volume) {
      player.volume = new GainNode(player.audio, { gain: player.muted ? 0 : 1 });
      player.volume.connect(player.audio.destination);
    }
    player.source = new AudioBufferSourceNode(player.audio, { buffer: player.soundtrack });
    player.source.connect(player.volume);
    // Started on a given sample rather than "now", which lands wherever the
    // audio thread happens to be: the clock then knows where the sound is.
    const at = sampleAhead(kStartAheadSeconds);
    player.source.start(at, player.from / 1000);
    player.sourceStart = at;
    player.sourceOffset = player.from;
    player.origin = 1000 * at;
  } else {
    player.origin = clockMs();
  }
}

// Paused, the picture holds at `from` and the sound is stopped.
export function hold() {
  player.from = showTime();
  player.paused = true;
  stopSound();
}

export function setMuted(muted) {
  player.muted = muted;
  if (player.volume) player.volume.gain.value = muted ? 0 : 1;
}
