// Data sets. The page's own comes as one gzipped pack made by the site build,
// unzipped and unpacked by the engine's side (stage.js), and downloaded there
// too where the engine runs in its worker; ?data= folders, dropped folders,
// browsers that cannot unzip and packs unfit to use take plain files. The
// soundtrack downloads after the data, which the first frame needs. What was
// downloaded is handed to the service worker so that the next visit plays
// offline.
import { fetchFiles } from './engine.js';
import { dataBase as folderBase, dataFolder as folderAsked } from './address.js';
import { build } from './build.js';
import { params } from './page.js';
import { workerStarted } from './show.js';
import { downloadSoundtrack, soundtrackName } from './soundtrack.js';

// ?data=DIR names a folder beside the page, with or without its closing slash.
export const dataFolder = () => folderAsked(params.get('data'));
export const dataBase = () => folderBase(params.get('data'), location.href);

// The page's own data comes packed, unless ?data= names other data or the
// browser cannot unzip (engine-start.js decides, in the page's head, where the
// engine's worker starts downloading it at once). Where the engine runs in the
// page, the page starts it at once, before the engine is up.
const packAddress = window.start?.packAddress ?? null;
const fetchPackHere = () => fetch(packAddress).then((response) => {
  if (!response.ok) throw new Error(`${response.status} ${response.statusText}`);
  return response;
});
let packed = packAddress && !workerStarted ? fetchPackHere() : null;
packed?.catch(() => {});  // said where it is awaited

// Downloads worth keeping for offline play: address to bytes, as blobs,
// which reach the service worker without being copied into the message.
const downloaded = new Map();

// Loads the pack into the engine (`show`, as openShow opened it). Resolves
// to the pack as downloaded, once loaded (kept for offline play); null when
// there is none, or it did not download or is unfit to use (said on the
// console), and the plain files serve instead.
export async function loadPack(show, shownAs) {
  if (!packAddress) return null;
  const refused = (why) => {
    console.warn(`${packAddress.slice(packAddress.lastIndexOf('/') + 1)}: ${why}; the plain files instead`);
    return null;
  };
  let bytes;
  let error;
  if (show.inWorker) {
    const answer = await show.call('loadFetchedPack', { shownAs });
    if ('fetchError' in answer) return refused(answer.fetchError);
    ({ zipped: bytes, error } = answer);
  } else {
    try {
      bytes = new Uint8Array(await (await (packed ??= fetchPackHere())).arrayBuffer());
    } catch (failed) {
      return refused(failed.message);
    }
    error = await show.call('loadPack', { bytes, shownAs });
  }
  if (error) return refused(error);
  downloaded.set(packAddress, new Blob([bytes]));
  return bytes;
}

// The plain files `names` of the data folder; the page's own are kept for offline play.
export async function fetchPlainFiles(names) {
  const base = dataBase();
  const files = await fetchFiles(base, names);
  if (!params.has('data')) for (const [name, bytes] of files) downloaded.set(new URL(name, base).href, new Blob([bytes]));
  return files;
}

// The flash map beside the data folder's files as text (kept for offline
// play when it is the page's own), or null when it is not there.
export const flashMapName = 'flash.map';
export async function fetchFlashMap() {
  const address = new URL(flashMapName, dataBase());
  const response = await fetch(address).catch((error) => console.warn(`${address}: ${error.message}`));
  if (!response?.ok) return null;
  const bytes = await response.arrayBuffer();
  if (!params.has('data')) downloaded.set(address.href, new Blob([bytes]));
  return new TextDecoder().decode(bytes);
}

// The soundtrack as it downloads: `files`, a promise of a map holding it (or
// nothing when it cannot be had), and `head`, a promise of the start of it
// (see soundtrackHead) that can play before the rest arrives, or null when
// the whole comes soon enough. `elsewhere(address, offerHead)`, when given,
// downloads it away from the page (the engine's worker) and resolves to its
// bytes and a blob of them, or null. The download starts once `after` has
// resolved.
export function fetchSoundtrack(elsewhere = null, after = null) {
  let offerHead;
  const head = new Promise((resolve) => { offerHead = resolve; });
  const files = (async () => {
    await after;
    const address = new URL(soundtrackName, dataBase());
    const here = (at, offer) => downloadSoundtrack(at, offer, (warning) => console.warn(warning));
    const got = await (elsewhere ?? here)(address.href, offerHead);
    const files = new Map();
    if (!got) return files;
    files.set(soundtrackName, got.bytes);
    if (!params.has('data')) downloaded.set(address.href, got.blob);
    return files;
  })();
  files.finally(() => offerHead(null)).catch(() => {});  // `files` itself is handled by the caller
  return { files, head };
}

// The registration's active worker, once there is one; null when the one
// installing fails (its files do not fit, say), where `ready` would wait forever.
function activeWorker(registration) {
  if (!registration) return null;
  if (registration.active) return registration.active;
  const worker = registration.installing ?? registration.waiting;
  return new Promise((resolve) => {
    worker.addEventListener('statechange', () => {
      if (worker.state === 'activated') resolve(worker);
      else if (worker.state === 'redundant') resolve(null);
    });
  });
}

// Hands the downloads and the engine in use to the service worker, and again
// to a new build's worker when it takes over. Resolves to true once the
// worker has every address the visit used in its cache, read back from it;
// false when it could not keep them (no worker, no room, another build's worker).
export function keepForOffline(engineFiles) {
  if (!('serviceWorker' in navigator)) return Promise.resolve(false);
  const message = { build, keep: [...downloaded], fetch: engineFiles };
  const handOver = async (registration) => {
    const worker = await activeWorker(registration ?? await navigator.serviceWorker.getRegistration());
    if (!worker) throw new Error('the service worker did not install');
    const channel = new MessageChannel();
    const reply = new Promise((resolve) => { channel.port1.onmessage = (event) => resolve(event.data === 'kept'); });
    worker.postMessage(message, [channel.port2]);
    return reply;
  };
  navigator.serviceWorker.addEventListener('controllerchange', () => handOver().catch(() => false));
  return navigator.serviceWorker.register('sw.js').then(handOver).catch((error) => {
    console.warn(`sw.js: ${error.message}; no offline copy`);
    return false;
  });
}

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
async function readPicked(picked, names) {
  const byPath = new Map(picked);
  const files = new Map();
  for (const name of [...names, soundtrackName]) {
    const file = byPath.get(name) ?? byPath.get(name.slice(name.lastIndexOf('/') + 1));
    if (file) files.set(name, new Uint8Array(await file.arrayBuffer()));
  }
  return files;
}

// Calls `open(files, shownAs)` with each folder or set of files dropped or picked.
export function acceptFolders(names, picker, open) {
  const opened = (picked, folder) => readPicked(picked, names).then((files) => open(files, folder ? `${folder}/` : ''));
  addEventListener('dragover', (event) => event.preventDefault());
  addEventListener('drop', async (event) => {
    event.preventDefault();
    const picked = [];
    const entries = [...event.dataTransfer.items].map((item) => item.webkitGetAsEntry?.()).filter(Boolean);
    // A dropped folder's contents are named from inside it; loose files by their names.
    await Promise.all(entries.map((entry) => readEntry(entry, entry.isDirectory ? '' : entry.name, picked)));
    if (entries.length === 0) picked.push(...[...event.dataTransfer.files].map((file) => [file.name, file]));
    const folders = entries.filter((entry) => entry.isDirectory);
    await opened(picked, folders.length === 1 ? folders[0].name : '').catch(() => {});  // said on the page
  });
  picker.addEventListener('change', async (event) => {
    const picked = [...event.target.files].map((file) => [file.webkitRelativePath.replace(/^[^/]*\//, '') || file.name, file]);
    const folder = event.target.files[0]?.webkitRelativePath.split('/')[0] ?? '';
    event.target.value = '';
    await opened(picked, folder).catch(() => {});  // said on the page
  });
}
