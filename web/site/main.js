// The show in a browser: opens the engine and a data set, shows the title
// card, and plays: each frame drawn for the time of the music being heard.
import { openEngine } from './engine.js';
import { clampTime, hold, readySound, setMuted, showTime, soundPosition, startAt, stopSound, useSoundtrack } from './clock.js';
import { acceptFolders, dataFolder, fetchFlashMap, fetchPack, flashMapName, fetchPlainFiles, fetchSoundtrack, keepForOffline, usedPack } from './data.js';
import { makeScreen } from './present.js';
import { kSeekMs, startControls } from './controls.js';
import { keepAwake, showSessionState, startMediaSession, toggleFullscreen } from './session.js';
import { canSaveClips, kDefaultClipMs, kMaxClipMs, makeClip } from './clip.js';
import { asFile, canShareFile, canShareLinks, copyLink, download, frameAlone, shareFile, shareLink, shareOrDownload, stillName, stillPng } from './share.js';
import { $, embedded, params, player, setFrameSize } from './state.js';
import { momentOf, wholeMs } from './address.js';
import { installTestHook } from './testhook.js';
import { startFlashSwitches } from './flashing.js';

document.body.classList.toggle('testing', params.has('test'));
document.body.classList.toggle('embedded', embedded);
const say = (text) => { $('message').textContent = text; };

// Nothing can play without the engine: the card says which file failed, and the page stops here.
const opened = await openEngine().catch((error) => {
  $('caption').textContent = 'The show cannot play here';
  say(`The engine did not load: ${error.message}`);
  throw error;
});
const { engine, frame, reduce, loadFlashMap, flashStretches, segmentStarts, dataNames, loadFiles } = opened;
setFrameSize(opened.width, opened.height);
player.segmentStarts = segmentStarts;
player.end = segmentStarts.at(-1);
const screen = makeScreen($('screen'), frame);
// The frame drawn last, for `t`, as the viewer sees it.
const present = (t) => screen.present(player.reduceFlashing ? reduce(t) : frame);

function startTime() {
  return clampTime(momentOf(location.hash) ?? 0);
}

// After every change of state: the strip, the lock screen, the wake lock.
function changed() {
  const t = player.playing ? showTime() : startTime();
  controls.update(t);
  showSessionState(t);
  keepAwake();
}

// The title card is the show's own frame at the starting time.
function showCard() {
  engine._vantrelle_clear();
  engine._vantrelle_draw(startTime());
  present(startTime());
  const verb = embedded ? 'Click' : matchMedia('(pointer: coarse)').matches ? 'Tap' : 'Click or press a key';
  $('caption').textContent = `${verb} to play`;
  if (!performance.getEntriesByName('first-frame').length) performance.mark('first-frame');
}

function saySilent() {
  if (player.silentNoticeShown) return;
  player.silentNoticeShown = true;
  say('No sound: the soundtrack could not be played here; the show runs silent.');
}

// A soundtrack that arrives after the show started joins it where it is.
function joinSound(soundtrack) {
  if (!soundtrack) {
    saySilent();
    return;
  }
  player.soundtrack = soundtrack;
  if (player.playing && !player.paused) startAt(showTime());
}

async function play(from = startTime()) {
  if (player.playing || player.starting) return;
  player.starting = true;
  say('');
  $('caption').textContent = 'Starting…';
  const sound = await readySound(joinSound);
  player.starting = false;
  if (!sound) saySilent();
  player.playing = true;
  player.paused = false;
  document.body.classList.add('playing');
  engine._vantrelle_clear();
  startAt(from);
  changed();
  requestAnimationFrame(tick);
}

function tick() {
  if (!player.playing) return;
  const t = showTime();
  if (engine._vantrelle_draw(t) === 0) {
    end();
    return;
  }
  present(t);
  controls.update(t);
  requestAnimationFrame(tick);
}

// Escape, or the end of the show: back to the title card.
function end() {
  stopSound();
  player.playing = false;
  player.paused = false;
  document.body.classList.remove('playing');
  showCard();
  changed();
}

function pause() {
  if (!player.playing || player.paused) return;
  hold();
  changed();
}

function resume() {
  if (!player.playing) play();
  else if (player.paused) {
    player.paused = false;
    startAt(player.from);
    changed();
  }
}

function seekTo(t) {
  if (!player.playing) {
    play(clampTime(t));
    return;
  }
  if (player.paused) {
    // The picture follows the bar while paused; the sound waits for play.
    player.from = clampTime(t);
    engine._vantrelle_draw(player.from);
    present(player.from);
  } else {
    startAt(t);
  }
  changed();
}

// The moment on the screen: the show's time, or the title card's.
const moment = () => wholeMs(player.playing ? showTime() : startTime());

async function saveStill() {
  if (!player.ready) return;
  const t = moment();
  await shareOrDownload(await stillPng(frameAlone(engine, t)), stillName(t), t);
}

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
    const soundtrack = await Promise.race([player.decoding, cancelled]);
    return await makeClip(engine, soundtrack, from, to, {
      signal,
      reduce: player.reduceFlashing && reduce,
      upright: player.clipUpright,
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
  if (!player.ready || !canSaveClips()) return;
  const from = player.clipRange?.from ?? moment();
  const to = player.clipRange?.to ?? Math.min(from + kDefaultClipMs, player.end);
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
  if (!player.ready) return;
  if (!player.playing) showCard();
  else if (player.paused) present(player.from);
});
// The card's switch is not the card: pressing it does not start the show.
$('card-reduce-flashing').addEventListener('click', (event) => {
  event.stopPropagation();
  toggleReduceFlashing();
});

const actions = {
  toggleReduceFlashing,
  togglePlay: () => (player.playing && !player.paused ? pause() : resume()),
  end,
  home: () => (player.playing ? seekTo(0) : changed()),
  seekBy: (by) => seekTo((player.playing ? showTime() : startTime()) + by),
  seekTo,
  toggleMute: () => { setMuted(!player.muted); changed(); },
  toggleFullscreen,
  copyLink: () => copyLink(moment(), say),
  shareLink: () => shareLink(moment(), say),
  toggleClipUpright: () => {
    player.clipUpright = !player.clipUpright;
    $('clip-upright').setAttribute('aria-pressed', String(player.clipUpright));
  },
  saveStill,
  saveClip,
  moment,
};
const controls = startControls(actions);
startMediaSession({ play: resume, pause, seekBy: actions.seekBy, seekTo }, kSeekMs);
addEventListener('hashchange', () => { if (player.ready && !player.playing) showCard(); });

// Loads a data set (none when `files` is null: already loaded); on an error
// the message stays on the page and the data played before stays loaded.
function start(files, sound, shownAs, head = null) {
  if (player.playing) end();
  const error = files && loadFiles(files, shownAs);
  if (error) {
    say(error);
    if (!player.ready) $('caption').textContent = 'No data to play';
    throw new Error(error);
  }
  say('');
  useSoundtrack(sound, head);
  player.ready = true;
  showCard();
  changed();
}
// A flash map given beside other data (or none) is checked against it on load.
function useFlashMap(text, shownAs) {
  const problem = text === null ? `${shownAs || './'}${flashMapName}: not there` : loadFlashMap(text, `${shownAs}${flashMapName}`);
  if (problem) console.warn(`${problem}; reduced flashing dims the whole show`);
  player.flashStretches = flashStretches();
  controls.markFlashes();
  if (player.ready && !player.playing) showCard();
}
acceptFolders([...dataNames, flashMapName], $('folder'), (files, shownAs) => {
  start(files, files, shownAs);
  const map = files.get(flashMapName);
  useFlashMap(map ? new TextDecoder().decode(map) : null, shownAs);
});

// The soundtrack downloads after the data, which the first frame needs, and
// can play from its head before the whole has arrived. A pack the engine
// refuses gives way to the plain files, which then say what is wrong.
const ready = (async () => {
  const folder = dataFolder();
  const flashMap = fetchFlashMap().catch(() => null);  // an unusable folder is said by the data's own error
  const packed = await fetchPack(dataNames);
  const soundtrack = fetchSoundtrack();
  const sound = soundtrack.files.catch((error) => {
    console.warn(`the soundtrack: ${error.message}; the show runs silent`);
    return new Map();
  });
  const packError = packed && loadFiles(packed, folder);
  if (packError) console.warn(`data.pack: ${packError}; the plain files instead`);
  if (packed && !packError) usedPack();
  start(packed && !packError ? null : await fetchPlainFiles(dataNames), sound, folder, soundtrack.head);
  useFlashMap(await flashMap, folder);
  return { sound };
})();
ready.catch((error) => {
  if (!player.ready) $('caption').textContent = 'No data to play';
  say(error.message);
});
// Once everything has arrived, the service worker keeps it for offline play.
const offline = ready.then(({ sound }) => sound).then(() => keepForOffline(opened.files), () => false);

// Ranges up to a minute, within the show.
const clipRange = (from, to) => {
  if (!(from >= 0 && to > from && to - from <= kMaxClipMs && to <= player.end)) throw new Error(`no clip from ${from} to ${to} ms`);
  return clip(from, to);
};
installTestHook({ opened, ready, offline, soundPosition, actions, clip: clipRange });
