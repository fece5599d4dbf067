// The show's engine away from the page, so that compiling it, loading the
// data and building its tables never hold up input: it draws on the canvas
// the page handed over. show.js talks to it.
//   in:  { type: 'start', pack, search }  at once: a port on which pack-worker.js hands over
//                                         the data pack (or null), and the page's query; the
//                                         engine build it asks for starts downloading as soon
//                                         as the modules are in
//        { type: 'pack', error }           where pack-worker.js did not start
//        { type: 'open', module, canvas }  then: the engine build and the OffscreenCanvas
//        { id, type, ... }                 then: requests, as stage.js answers them
//        { type: 'soundtrack', address }   the soundtrack downloaded here, beside the requests
//   out: { opened: { ...info, files } } or { failed: message } once open, or
//        { unable: message } where it cannot draw here (the page runs the engine);
//        { id, result } or { id, error } for each request;
//        { soundtrackHead: bytes } once a head can play, then { soundtrack: { bytes, blob } or
//        null, warning } or { soundtrackFailed: message }
import { createEngine, engineBuild } from './engine.js';
import { makeStage } from './stage.js';
import { downloadSoundtrack } from './soundtrack.js';
// stage.js's own imports, named here so that they are fetched with the rest
// at once rather than one import after another.
import './frame.js';
import './pack.js';

let started = null;  // { module, made }: the engine build the page's query asks for, loading
let stage = null;
let queue = Promise.resolve();
let packFetch = null;  // as pack-worker.js hands it over, once downloaded or failed
let packArrived = null;

// The pack downloaded beside this worker, loaded: { error, zipped } (the pack
// as it came, for the page's offline copy), or { fetchError } when it did not
// download.
async function loadFetchedPack({ shownAs }) {
  const { zipped, plain, error } = await packFetch;
  if (!zipped) return { fetchError: error };
  const bytes = new Uint8Array(zipped);
  return { error: await stage.handle({ type: 'loadPack', bytes, plain: plain && new Uint8Array(plain), shownAs }), zipped: bytes };
}

// This side's downloads, the pack's among them (pack-worker.js's).
async function downloads(data) {
  const pack = (await packFetch)?.download;
  return [...await stage.handle(data), ...(pack ? [pack] : [])];
}

async function answer(data) {
  try {
    const result = data.type === 'loadFetchedPack' ? await loadFetchedPack(data)
      : data.type === 'downloads' ? await downloads(data) : await stage.handle(data);
    // Frames and the pack go back without a copy.
    const bytes = result instanceof Uint8Array ? result : result?.zipped;
    postMessage({ id: data.id, result }, bytes ? [bytes.buffer] : []);
  } catch (error) {
    postMessage({ id: data.id, error: error.message });
  }
}

// Reading the soundtrack as it arrives takes the page's main thread a while
// when it comes in a rush; here it takes none of it. The bytes go over
// without a copy, with a blob of them for the offline copy.
async function fetchSoundtrack(address) {
  try {
    const got = await downloadSoundtrack(address, (head) => postMessage({ soundtrackHead: head }, [head.buffer]),
      (warning) => postMessage({ soundtrack: null, warning }));
    if (got) postMessage({ soundtrack: got }, [got.bytes.buffer]);
  } catch (error) {
    postMessage({ soundtrackFailed: error.message });
  }
}

addEventListener('message', async ({ data }) => {
  if (data.type === 'start') {
    if (data.pack) {
      packFetch = new Promise((resolve) => { packArrived = resolve; });
      data.pack.onmessage = (event) => packArrived(event.data);
    }
    const module = engineBuild(new URLSearchParams(data.search));
    started = { module, made: createEngine(module) };
    // The effect tables need no data: built while the pack is on its way.
    started.made.then(({ engine }) => engine._vantrelle_prepare(), () => {});  // a failure is said when the page opens it
    return;
  }
  if (data.type === 'open') {
    const context2d = data.canvas.getContext('2d');
    if (!context2d) {
      postMessage({ unable: 'a worker here cannot draw on a canvas' });
      return;
    }
    try {
      const { engine, moduleAddress, wasmAddress } = await (started?.module === data.module ? started.made : createEngine(data.module));
      stage = makeStage(engine, data.canvas, context2d);
      postMessage({ opened: { ...stage.info, files: [moduleAddress, wasmAddress] } });
    } catch (error) {
      postMessage({ failed: error.message });
    }
    return;
  }
  if (data.type === 'pack') {
    packArrived?.(data);
    return;
  }
  if (data.type === 'soundtrack') {
    fetchSoundtrack(data.address);  // not queued: the frames go on while it downloads
    return;
  }
  // One at a time, in order: the pack's unzipping must not let a later request through first.
  queue = queue.then(() => answer(data));
});
