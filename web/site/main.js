// The show in a browser: opens the engine and a data set, shows the title
// card, and plays: each frame drawn for the time of the music being heard.
import { openShow } from './show.js';
import { clampTime, hold, holdAt, isMuted, readySound, setMuted, setShowEnd, showEnd, showTime, soundPosition, startAt, stopSound, useSoundtrack,
  wholeSoundtrack } from './clock.js';
import { acceptFolders, dataFolder, fetchFlashMap, flashMapName, fetchPlainFiles, fetchSoundtrack, keepForOffline, loadPack } from './data.js';
import { followOrientation } from './present.js';
import { kSeekMs, startControls } from './controls.js';
import { keepAwake, showSessionState, startMediaSession, toggleFullscreen } from './session.js';
import { canSaveClips, kDefaultClipMs, kMaxClipMs, makeClip } from './clip.js';
import { asFile, canShareFile, canShareLinks, copyLink, download, shareFile, shareLink, shareOrDownload, stillName, stillPng } from './share.js';
import { $, embedded, params } from './page.js';
import { setFrameSize } from './frame.js';
import { isPaused, isReady, isRunning, isShowing, onPhase, phase, setPhase } from './phase.js';
import { clipRange as chosenRange } from './scrub.js';
import { momentOf, wholeMs } from './address.js';
import { installTestHook } from './testhook.js';
import { makeFlashMap, reducingFlashes, startFlashSwitches, stopMakingFlashMap } from './flashing.js';
import { nextFrame } from './frameclock.js';
import { startPip } from './pip.js';
import { startOverflow } from './overflow.js';
import { posterTime } from './build.js';
import { layoutShift } from './shift.js';

// ?test=card keeps the title card up, for the tests of the card itself.
document.body.classList.toggle('testing', params.has('test') && params.get('test') !== 'card');
document.body.classList.toggle('embedded', embedded);
const say = (text) => { $('message').textContent = text; };

// Nothing can play without the engine: the card says which file failed, and the page stops here.
const opened = await openShow($('screen'), params).catch((error) => {
  $('caption').textContent = 'The show cannot play here';
  say(`The engine did not load: ${error.message}`);
  throw error;
});
const { call, segmentStarts, dataNames } = opened;
setFrameSize(opened.width, opened.height);
setShowEnd(segmentStarts.at(-1));
followOrientation(call);
// Draws `t` (over black when `clear`) and shows it as the viewer sees it;
// resolves to 0 past the show's end. Requests are answered in order.
const draw = (t, clear = false) => call('draw', { t, clear, reduce: reducingFlashes() });
// The frame drawn last, shown again as the viewer sees it now.
const repaint = () => call('repaint', { reduce: reducingFlashes() });

function startTime() {
  return clampTime(momentOf(location.hash) ?? 0);
}

// After every change of state: the strip, the lock screen, the wake lock.
function changed() {
  const t = isShowing() ? showTime() : startTime();
  controls.update(t);
  showSessionState(t);
  keepAwake();
  pip.update();
}

// The title card shows a link's moment, or else the poster's: the frame
// the picture stood in for, drawn from the data set loaded.
const cardTime = () => clampTime(momentOf(location.hash) ?? posterTime);
function showCard() {
  draw(cardTime(), true).then(firstFrameShown);
  const verb = embedded ? 'Click' : matchMedia('(pointer: coarse)').matches ? 'Tap' : 'Click or press a key';
  $('caption').textContent = `${verb} to play`;
}
// The engine's first frame is drawn: the title card's picture, which stood
// in for it, goes once that frame can be on the screen. A canvas drawn from
// a worker shows its frame a display frame or so later, and hiding the
// picture at once would show the empty canvas for that long.
let cardShown;
const cardUp = new Promise((resolve) => { cardShown = resolve; });
function firstFrameShown() {
  if (performance.getEntriesByName('first-frame').length) return;
  performance.mark('first-frame');
  setTimeout(cardShown, 1000);  // a hidden tab shows no frames
  requestAnimationFrame(() => requestAnimationFrame(() => {
    $('poster').hidden = true;
    cardShown();
  }));
}

// "No sound" is said once.
let silentNoticeShown = false;
function saySilent() {
  if (silentNoticeShown) return;
  silentNoticeShown = true;
  say('No sound: the soundtrack could not be played here; the show runs silent.');
}

onPhase((now) => document.body.classList.toggle('playing', now === 'playing' || now === 'paused'));

async function play(from = startTime()) {
  if (isShowing() || phase() === 'starting') return;
  setPhase('starting');
  say('');
  $('caption').textContent = 'Starting…';
  const sound = await readySound(saySilent);
  if (!sound) saySilent();
  setPhase('playing');
  ++runs;
  call('clear');
  startAt(from);
  changed();
  nextFrame(tick);
}

// A frame is asked for on each of the display's frames; while the engine is
// still drawing the last one asked for (in its worker), the next waits for
// the display's next frame. `runs` counts the show's starts and seeks: a
// frame asked for before one does not end the show.
let drawing = false;
let runs = 0;
function tick() {
  if (!isShowing()) return;
  nextFrame(tick);
  if (drawing) return;
  const t = showTime();
  const run = runs;
  drawing = true;
  draw(t).then((more) => {
    drawing = false;
    if (!more && run === runs && isShowing()) end();
  }, () => { drawing = false; });
  controls.update(t);
}

// Escape, or the end of the show: back to the title card.
function end() {
  ++runs;
  stopSound();
  setPhase('card');
  showCard();
  changed();
}

function pause() {
  if (!isRunning()) return;
  hold();
  setPhase('paused');
  changed();
}

function resume() {
  if (!isShowing()) play();
  else if (isPaused()) {
    const t = showTime();
    setPhase('playing');
    startAt(t);
    changed();
  }
}

function seekTo(t) {
  if (!isShowing()) {
    play(clampTime(t));
    return;
  }
  if (isPaused()) {
    // The picture follows the bar while paused; the sound waits for play.
    draw(holdAt(t));
  } else {
    startAt(t);
  }
  ++runs;
  changed();
}

// The moment on the screen: the show's time, or the title card's.
const moment = () => wholeMs(isShowing() ? showTime() : cardTime());

async function saveStill() {
  if (!isReady()) return;
  const t = moment();
  const alone = await call('frameAlone', { t });
  await shareOrDownload(await stillPng(new Uint16Array(alone.buffer)), stillName(t), t);
}

let clipUpright = false;  // clips are saved upright (1080 × 1920), not landscape

// One clip at a time; pressing the button again while it is made cancels it.
let clipping = null;
async function clip(from, to) {
  pause();  // the show's frames would land between the clip's
  // Pressed again while the soundtrack is still on its way, it cancels as well.
  clipping = new AbortController();
  const { signal } = clipping;
  const button = $('save-clip');
  button.setAttribute('aria-pressed', 'true');
  offerClip(null);
  try {
    const cancelled = new Promise((resolve, reject) => {
      signal.addEventListener('abort', () => reject(new DOMException('Cancelled', 'AbortError')), { once: true });
    });
    const soundtrack = await Promise.race([wholeSoundtrack(), cancelled]);
    return await makeClip(opened, soundtrack, from, to, {
      signal,
      reduce: reducingFlashes(),
      upright: clipUpright,
      progress: (done, total) => say(`Saving clip: ${Math.floor(100 * done / total)}% (press again to cancel)`),
    });
  } finally {
    clipping = null;
    button.setAttribute('aria-pressed', 'false');
  }
}

async function saveClip() {
  if (clipping) {
    clipping.abort();
    return;
  }
  if (!isReady() || !canSaveClips()) return;
  const from = chosenRange()?.from ?? moment();
  const to = chosenRange()?.to ?? Math.min(from + kDefaultClipMs, showEnd());
  try {
    const made = await clip(from, to);
    const blob = new Blob([made.bytes], { type: made.type });
    if (canShareFile(asFile(blob, made.name))) {
      offerClip(asFile(blob, made.name), from);
      say(`Clip ready: ${made.name}`);
    } else {
      download(blob, made.name);
      say(`Clip saved: ${made.name}`);
    }
  } catch (error) {
    say(error.name === 'AbortError' ? 'Clip cancelled.' : `No clip: ${error.message}`);
  }
}
// A clip takes longer than a tap's leave to open the share sheet: once made,
// it waits for a tap of its own on Share clip. `file` null withdraws the offer.
let offered = null;
function offerClip(file, t) {
  offered = file && { file, t };
  $('share-clip').hidden = !file;
}
$('share-clip').addEventListener('click', async (event) => {
  event.stopPropagation();
  if (!offered) return;
  const { file, t } = offered;
  try {
    if (await shareFile(file, t)) offerClip(null);
  } catch (error) {
    offerClip(null);
    download(file, file.name);
    say(`Clip saved: ${file.name} (sharing failed: ${error.message})`);
  }
});
$('share-link').hidden = !canShareLinks();
if (!canSaveClips()) {
  const button = $('save-clip');
  button.setAttribute('aria-label', 'Save clip: not in this browser (no WebCodecs)');
  button.title = 'This browser cannot make videos (it has no WebCodecs)';
  button.disabled = true;
  $('choose-range').disabled = true;  // a range with nothing to save it
  $('clip-upright').disabled = true;
}

// The mode shows at once: on the card, while paused, or on the next frame.
const toggleReduceFlashing = startFlashSwitches(document.querySelectorAll('.flash-switch'), () => {
  if (!isReady()) return;
  if (!isShowing()) showCard();
  else if (isPaused()) repaint();
  pip.update();
});
// The card's switch is not the card: pressing it does not start the show.
$('card-reduce-flashing').addEventListener('click', (event) => {
  event.stopPropagation();
  toggleReduceFlashing();
});

const actions = {
  toggleReduceFlashing,
  togglePlay: () => (isRunning() ? pause() : resume()),
  end,
  home: () => (isShowing() ? seekTo(0) : changed()),
  seekBy: (by) => seekTo((isShowing() ? showTime() : startTime()) + by),
  seekTo,
  toggleMute: () => { setMuted(!isMuted()); changed(); },
  toggleFullscreen,
  copyLink: () => copyLink(moment(), say),
  shareLink: () => shareLink(moment(), say),
  toggleClipUpright: () => {
    clipUpright = !clipUpright;
    $('clip-upright').setAttribute('aria-pressed', String(clipUpright));
  },
  saveStill,
  saveClip,
  moment,
  togglePip: () => pip.toggle(),
};
const controls = startControls(actions, segmentStarts);
const pip = startPip($('pip'), opened.canvas, { play: resume, pause, say, repaint });
startOverflow($('strip'), $('more'), $('more-menu'));
startMediaSession({ play: resume, pause, seekBy: actions.seekBy, seekTo }, kSeekMs);
addEventListener('hashchange', () => { if (isReady() && !isShowing()) showCard(); });

// `files` maps names such as 'gfx/facea.pal' to their bytes (the soundtrack
// is the page's). Resolves to "" or the data error, naming files from
// `shownAs`, the folder as the person knows it ('data/', 'mine/' or '').
const loadFiles = (files, shownAs) => call('load', { files, shownAs });
// The flash map's text for the filter. Resolves to "" when it was made from
// the data loaded, else why the whole show is reduced instead (checked again
// on each load: a map follows only the data it was made from).
const loadFlashMap = (text, shownAs) => call('flashMap', { text, shownAs });

// Loads a data set (none when `files` is null: already loaded); on an error
// the message stays on the page and the data played before stays loaded.
async function start(files, sound, shownAs, head = null) {
  if (isShowing()) end();
  const error = files && await loadFiles(files, shownAs);
  if (error) {
    say(error);
    if (!isReady()) $('caption').textContent = 'No data to play';
    throw new Error(error);
  }
  say('');
  useSoundtrack(sound, head);
  if (phase() === 'loading') setPhase('card');
  showCard();
  changed();
}
// A flash map given beside other data (or none) is checked against it on
// load. Without one made from them, the data's `files` (or the pack holding
// them) get their map made in the background, and the whole show is reduced
// until it is followed.
async function useFlashMap(text, shownAs, files) {
  stopMakingFlashMap();
  const problem = text === null ? `${shownAs || './'}${flashMapName}: not there` : await loadFlashMap(text, `${shownAs}${flashMapName}`);
  if (problem) console.warn(`${problem}; reduced flashing dims the whole show until its map is made here`);
  await followFlashMap();
  if (problem) {
    makeFlashMap(opened.module, dataNames, files, async (made) => {
      const refused = await loadFlashMap(made, 'the flash map made here');
      if (refused) console.warn(`${refused}; reduced flashing dims the whole show`);
      await followFlashMap();
    });
  }
}
// The bar's marks and the frame shown follow the map the engine follows now.
async function followFlashMap() {
  controls.markFlashes(await call('flashStretches'));
  if (isReady() && !isShowing()) showCard();
  else if (isPaused()) repaint();
}
acceptFolders([...dataNames, flashMapName], $('folder'), async (files, shownAs) => {
  await start(files, files, shownAs);
  const map = files.get(flashMapName);
  await useFlashMap(map ? new TextDecoder().decode(map) : null, shownAs, files);
});

// The soundtrack downloads after the data, which the first frame needs, and
// can play from its head before the whole has arrived. A pack the engine
// refuses gives way to the plain files, which then say what is wrong.
const ready = (async () => {
  const folder = dataFolder();
  const flashMap = fetchFlashMap().catch(() => null);  // an unusable folder is said by the data's own error
  const packed = await loadPack(opened, folder);
  // After the card's first frame: the engine's worker reading the soundtrack
  // as it rushes in would hold that frame back from the screen.
  const soundtrack = fetchSoundtrack(opened.soundtrack, cardUp);
  const sound = soundtrack.files.catch((error) => {
    console.warn(`the soundtrack: ${error.message}; the show runs silent`);
    return new Map();
  });
  const plain = packed ? null : await fetchPlainFiles(dataNames);
  await start(plain, sound, folder, soundtrack.head);
  await useFlashMap(await flashMap, folder, plain ?? packed);
  return { sound };
})();
ready.catch((error) => {
  if (!isReady()) $('caption').textContent = 'No data to play';
  say(error.message);
});
// Once everything has arrived, the service worker keeps it for offline play.
const offline = ready.then(({ sound }) => sound).then(() => keepForOffline(opened.files), () => false);

// Ranges up to a minute, within the show.
const clipRange = (from, to) => {
  if (!(from >= 0 && to > from && to - from <= kMaxClipMs && to <= showEnd())) throw new Error(`no clip from ${from} to ${to} ms`);
  return clip(from, to);
};
installTestHook({ opened, ready, offline, soundPosition, actions, clip: clipRange, layoutShift });
