// Clock and sound. The show's time is the position of the music being heard;
// without sound, the page's own clock.
import { player } from './state.js';
import { decodeSoundtrack, soundtrackName } from './soundtrack.js';

function latencyMs() { return player.soundtrack ? 1000 * (player.audio.outputLatency || 0) : 0; }
function clockMs() { return player.soundtrack ? 1000 * player.audio.currentTime : performance.now(); }

export function showTime() {
  return player.paused ? player.from : Math.floor(player.from + clockMs() - player.origin - latencyMs());
}
export function clampTime(t) { return Math.min(Math.max(0, t), player.end - 1); }

// Where in the soundtrack the sound being heard now is, in ms; null when silent.
export function soundPosition() {
  if (!player.source) return null;
  return player.from + 1000 * (player.audio.currentTime - player.sourceStart) - latencyMs();
}

// The soundtrack (`sound`: a map holding it, or a promise of one) downloads
// and decodes while the title card is up.
export function useSoundtrack(sound) {
  player.soundtrack = null;
  player.decoded = false;
  const decoding = (async () => {
    const bytes = (await sound).get(soundtrackName);
    player.audio ??= new AudioContext();
    return bytes ? decodeSoundtrack(player.audio, bytes) : null;
  })().catch(() => null);
  decoding.then(() => { if (player.decoding === decoding) player.decoded = true; });
  player.decoding = decoding;
}

// Called within the gesture that plays. True when the sound is heard from the
// start, false when the show runs silent, 'late' when the soundtrack has not
// arrived yet: the show starts silent and `join(soundtrack or null)` is
// called once it is decoded.
export async function readySound(join) {
  player.audio ??= new AudioContext();
  // A browser without an audio device never gets the context running.
  const running = Promise.race([player.audio.resume().then(() => true), new Promise((r) => setTimeout(r, 1000, false))])
    .then((resumed) => resumed && player.audio.state === 'running');
  const decoding = player.decoding;
  if (!player.decoded) {
    player.soundtrack = null;
    decoding.then(async (soundtrack) => {
      if (player.decoding === decoding) join(soundtrack && (await running) ? soundtrack : null);
    });
    return 'late';
  }
  player.soundtrack = await decoding;
  if (player.soundtrack && !(await running)) player.soundtrack = null;
  return player.soundtrack !== null;
}

export function stopSound() {
  player.source?.stop();
  player.source = null;
}

// Picture and sound from t on.
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
    player.source.start(0, player.from / 1000);
    player.sourceStart = player.audio.currentTime;
  }
  player.origin = clockMs();
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
