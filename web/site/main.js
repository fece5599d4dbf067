// The show in a browser: loads a data set into the engine, draws each frame
// for the time of the music being heard, and handles the title card, keys,
// seeking, full screen and data folders of the viewer's own.
import { fetchFiles, openEngine } from './engine.js';
import { soundtrackName, decodeSoundtrack } from './soundtrack.js';

const kWidth = 400;
const kHeight = 240;
const kFrameBytes = kWidth * kHeight * 2;
const kSeekMs = 5000;  // one press of an arrow key
const kBarShownMs = 2000;  // the progress bar stays this long after the pointer stops

const params = new URLSearchParams(location.search);
const testing = params.has('test');
const portrait = params.has('portrait');
const $ = (id) => document.getElementById(id);
const canvas = $('screen');
const context2d = canvas.getContext('2d');
document.body.classList.toggle('testing', testing);

// ?data=DIR names a folder beside the page, with or without its closing slash.
function dataFolder() {
  return (params.get('data') ?? 'data').replace(/\/?$/, '/');
}
function dataBase() {
  const folder = dataFolder();
  const base = new URL(folder, location.href);
  if (base.origin !== location.origin) throw new Error(`data error: ${folder}: expected an address on this server`);
  return base;
}
// The soundtrack downloads while the engine starts and the data loads.
const soundtrackFiles = Promise.resolve().then(() => fetchFiles(dataBase(), [soundtrackName])).catch(() => new Map());

const { engine, vectors, frame, segmentStarts, dataNames, loadFiles, fetchFiles: fetchData } = await openEngine();
const showEnd = segmentStarts[25];

// RGB565 to the canvas's RGBA, widened as the PNG writer does, in one pass.
const rgba = new Uint32Array(65536);
for (let p = 0; p < 65536; ++p) {
  const r = p >> 11, g = (p >> 5) & 63, b = p & 31;
  rgba[p] = 0xff000000 | (((b << 3) | (b >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((r << 3) | (r >> 2));
}
if (portrait) [canvas.width, canvas.height] = [kHeight, kWidth];
const image = context2d.createImageData(canvas.width, canvas.height);
const pixels = new Uint32Array(image.data.buffer);

// Portrait is the device's own display: frame pixel (x, y) at column 239 - y, row x.
function present() {
  if (portrait) {
    for (let y = 0, i = 0; y < kHeight; ++y) {
      for (let x = 0; x < kWidth; ++x, ++i) pixels[x * kHeight + kHeight - 1 - y] = rgba[frame[i]];
    }
  } else {
    for (let i = 0; i < frame.length; ++i) pixels[i] = rgba[frame[i]];
  }
  context2d.putImageData(image, 0, 0);
}

// The largest whole factor that fits the window, in device pixels.
function fit() {
  const ratio = devicePixelRatio || 1;
  const factor = Math.max(1, Math.floor(Math.min(innerWidth * ratio / canvas.width, innerHeight * ratio / canvas.height)));
  canvas.style.width = `${canvas.width * factor / ratio}px`;
  canvas.style.height = `${canvas.height * factor / ratio}px`;
}
addEventListener('resize', fit);
fit();

const bar = $('bar');
for (let i = 1; i < 25; ++i) {
  const mark = document.createElement('div');
  mark.className = 'mark';
  mark.style.left = `${100 * segmentStarts[i] / showEnd}%`;
  bar.append(mark);
}

let noticeShown = false;
function say(text) { $('message').textContent = text; }

// ---- Sound and clock. The show's time is the position of the music being
// heard; without sound, the page's own clock.
const player = { playing: false, paused: false, from: 0, origin: 0, source: null, audio: null, soundtrack: null };

function latencyMs() { return player.soundtrack ? 1000 * (player.audio.outputLatency || 0) : 0; }
function clockMs() { return player.soundtrack ? 1000 * player.audio.currentTime : performance.now(); }
function showTime() { return player.paused ? player.from : Math.floor(player.from + clockMs() - player.origin - latencyMs()); }
function clampTime(t) { return Math.min(Math.max(0, t), showEnd - 1); }

// The soundtrack (`sound`: a map holding it, or a promise of one) decodes
// while the title card is up; playing waits for it.
function useSoundtrack(sound) {
  player.soundtrack = null;
  player.decoding = (async () => {
    const bytes = (await sound).get(soundtrackName);
    player.audio ??= new AudioContext();
    return bytes ? decodeSoundtrack(player.audio, bytes) : null;
  })().catch(() => null);
}

// Where in the soundtrack the sound being heard now is, in ms.
function soundPosition() { return player.from + 1000 * (player.audio.currentTime - player.sourceStart) - latencyMs(); }

function stopSound() {
  player.source?.stop();
  player.source = null;
}

// Picture and sound from t on.
function startAt(t) {
  stopSound();
  player.from = clampTime(t);
  if (player.soundtrack) {
    player.source = new AudioBufferSourceNode(player.audio, { buffer: player.soundtrack });
    player.source.connect(player.audio.destination);
    player.source.start(0, player.from / 1000);
    player.sourceStart = player.audio.currentTime;
  }
  player.origin = clockMs();
}

async function play() {
  if (player.playing || player.starting) return;
  player.starting = true;
  say('');
  $('caption').textContent = 'Starting…';
  // Resumed within the gesture; a browser without an audio device never gets it running.
  const resumed = player.audio?.resume().then(() => true);
  player.soundtrack = await player.decoding;
  if (player.soundtrack) {
    const running = await Promise.race([resumed, new Promise((r) => setTimeout(r, 1000, false))]);
    if (!running || player.audio.state !== 'running') player.soundtrack = null;
  }
  player.starting = false;
  if (!player.soundtrack && !noticeShown) {
    noticeShown = true;
    say('No sound: the soundtrack could not be played here; the show runs silent.');
  }
  player.playing = true;
  player.paused = false;
  document.body.classList.add('playing');
  engine._vantrelle_clear();
  startAt(startTime());
  requestAnimationFrame(tick);
}

function tick() {
  if (!player.playing) return;
  const t = showTime();
  if (bar.classList.contains('shown')) bar.firstElementChild.style.width = `${100 * t / showEnd}%`;
  if (engine._vantrelle_draw(t) === 0) {
    end();
    return;
  }
  present();
  requestAnimationFrame(tick);
}

// Paused, the picture holds at `from` and the sound is stopped.
function pause() {
  if (player.paused) {
    player.paused = false;
    startAt(player.from);
  } else {
    player.from = showTime();
    player.paused = true;
    stopSound();
  }
}

function seek(by) {
  if (player.paused) player.from = clampTime(player.from + by);
  else startAt(showTime() + by);
}

// Escape, or the end of the show: back to the title card.
function end() {
  stopSound();
  player.playing = false;
  document.body.classList.remove('playing');
  showCard();
}

function startTime() {
  const match = /^#t=(\d+)$/.exec(location.hash);
  return match ? Number(match[1]) : 0;
}

// The title card is the show's own frame at the starting time.
function showCard(caption = 'Click or press a key to play') {
  engine._vantrelle_clear();
  engine._vantrelle_draw(startTime());
  present();
  $('caption').textContent = caption;
  if (!performance.getEntriesByName('first-frame').length) performance.mark('first-frame');
}

function toggleFullscreen() {
  if (document.fullscreenElement) document.exitFullscreen();
  else document.documentElement.requestFullscreen().catch(() => {});
}

// ---- Input. The page's own keys never reach anything else.
addEventListener('keydown', (event) => {
  if (event.ctrlKey || event.altKey || event.metaKey || !player.ready) return;
  const key = event.key;
  const playing = player.playing;
  if (key === 'f' || key === 'F') toggleFullscreen();
  else if (!playing && (key.length === 1 || key === 'Enter')) play();  // not F5, Tab and the like
  else if (playing && key === ' ') pause();
  else if (playing && key === 'Escape') end();
  else if (playing && key === 'ArrowLeft') seek(-kSeekMs);
  else if (playing && key === 'ArrowRight') seek(kSeekMs);
  else return;
  event.preventDefault();
});
addEventListener('click', (event) => {
  if (!player.ready || event.target.closest('#buttons')) return;
  if (player.playing) pause();
  else play();
});
addEventListener('dblclick', (event) => { if (!event.target.closest('#buttons')) toggleFullscreen(); });
$('fullscreen').addEventListener('click', toggleFullscreen);
let barTimer = 0;
addEventListener('pointermove', () => {
  if (!player.playing) return;
  bar.classList.add('shown');
  clearTimeout(barTimer);
  barTimer = setTimeout(() => bar.classList.remove('shown'), kBarShownMs);
});
addEventListener('hashchange', () => { if (player.ready && !player.playing) showCard(); });

// ---- The viewer's own data folder, dropped or picked; nothing leaves the page.
function readEntry(entry, path, out) {
  if (entry.isFile) return new Promise((resolve) => entry.file((file) => { out.push([path, file]); resolve(); }, resolve));
  const reader = entry.createReader();
  return new Promise((resolve) => {
    const next = () => reader.readEntries(async (entries) => {
      if (entries.length === 0) return resolve();
      await Promise.all(entries.map((child) => readEntry(child, path ? `${path}/${child.name}` : child.name, out)));
      next();
    }, resolve);
    next();
  });
}

// `picked` holds [path within the folder, File]; a flat list is matched by file name.
async function openFolder(picked, folder) {
  const byPath = new Map(picked);
  const files = new Map();
  for (const name of [...dataNames, soundtrackName]) {
    const file = byPath.get(name) ?? byPath.get(name.slice(name.lastIndexOf('/') + 1));
    if (file) files.set(name, new Uint8Array(await file.arrayBuffer()));
  }
  await start(files, files, folder ? `${folder}/` : '');
}

addEventListener('dragover', (event) => event.preventDefault());
addEventListener('drop', async (event) => {
  event.preventDefault();
  const picked = [];
  const entries = [...event.dataTransfer.items].map((item) => item.webkitGetAsEntry?.()).filter(Boolean);
  // A dropped folder's contents are named from inside it; loose files by their names.
  await Promise.all(entries.map((entry) => readEntry(entry, entry.isDirectory ? '' : entry.name, picked)));
  if (entries.length === 0) picked.push(...[...event.dataTransfer.files].map((file) => [file.name, file]));
  const folders = entries.filter((entry) => entry.isDirectory);
  await openFolder(picked, folders.length === 1 ? folders[0].name : '').catch(() => {});
});
$('folder').addEventListener('change', async (event) => {
  const picked = [...event.target.files].map((file) => [file.webkitRelativePath.replace(/^[^/]*\//, '') || file.name, file]);
  const folder = event.target.files[0]?.webkitRelativePath.split('/')[0] ?? '';
  event.target.value = '';
  await openFolder(picked, folder).catch(() => {});
});

// Loads a data set; on an error the message stays on the page and the data
// played before stays loaded.
async function start(files, sound, shownAs) {
  if (player.playing) end();
  const error = loadFiles(files, shownAs);
  if (error) {
    say(error);
    if (!player.ready) $('caption').textContent = 'No data to play';
    throw new Error(error);
  }
  say('');
  useSoundtrack(sound);
  player.ready = true;
  showCard();
}

const ready = (async () => start(await fetchData(dataBase()), soundtrackFiles, dataFolder()))();
ready.catch((error) => say(error.message));

if (testing) {
  const loaded = ready.then(() => undefined, (error) => { throw error.message; });
  loaded.catch(() => {});  // reported on the page; a test reads it from `ready`
  window.vantrelleTest = {
    ready: loaded,
    vectors,  // whether this page runs the engine's vector build
    // The frame for t alone, drawn over black: what `vantrelle-render --times t --raw` writes.
    frameAt(t) {
      engine._vantrelle_clear();
      engine._vantrelle_draw(t);
      return new Uint8Array(engine.HEAPU8.buffer, engine._vantrelle_frame(), kFrameBytes).slice();
    },
    // For the tests of sound and tables: the decoded soundtrack, the clock, a start-up table.
    soundtrack: () => player.decoding,
    clock: () => ({ picture: showTime(), sound: player.source ? soundPosition() : null }),
    table: (index) => new Uint8Array(engine.HEAPU8.buffer, engine._vantrelle_table(index), engine._vantrelle_table_bytes(index)).slice(),
  };
}
