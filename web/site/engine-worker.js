// The show's engine away from the page, so that compiling it, loading the
// data and building its tables never hold up input: it draws on the canvas
// the page handed over. show.js talks to it.
//   in:  { type: 'open', module, canvas, pack }  first: the engine build, the OffscreenCanvas
//        and the data pack's address (or null), which downloads while the engine compiles
//        { id, type, ... }                 then: requests, as stage.js answers them
//        { type: 'soundtrack', address }   the soundtrack downloaded here, beside the requests
//   out: { opened: { ...info, files } } or { failed: message } once open, or
//        { unable: message } where it cannot draw here (the page runs the engine);
//        { id, result } or { id, error } for each request;
//        { soundtrackHead: bytes } once a head can play, then { soundtrack: { bytes, blob } or
//        null, warning } or { soundtrackFailed: message }
import { createEngine } from './engine.js';
import { makeStage } from './stage.js';
import { readSoundtrack } from './soundtrack.js';

let stage = null;
let queue = Promise.resolve();
let packFetch = null;

// The pack downloaded here, loaded: { error, zipped } (the pack as it came,
// for the page's offline copy), or { fetchError } when it did not download.
async function loadFetchedPack({ shownAs }) {
  let zipped;
  try {
    const response = await packFetch;
    if (!response.ok) throw new Error(`${response.status} ${response.statusText}`);
    zipped = new Uint8Array(await response.arrayBuffer());
  } catch (error) {
    return { fetchError: error.message };
  }
  return { error: await stage.handle({ type: 'loadPack', bytes: zipped, shownAs }), zipped };
}

async function answer(data) {
  try {
    const result = data.type === 'loadFetchedPack' ? await loadFetchedPack(data) : await stage.handle(data);
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
  let response;
  try {
    response = await fetch(address);
  } catch (error) {
    postMessage({ soundtrack: null, warning: `${address}: ${error.message}` });
    return;
  }
  if (!response.ok) {
    postMessage({ soundtrack: null, warning: `${address}: ${response.status} ${response.statusText}` });
    return;
  }
  try {
    const bytes = await readSoundtrack(response, (head) => postMessage({ soundtrackHead: head }, [head.buffer]));
    postMessage({ soundtrack: { bytes, blob: new Blob([bytes]) } }, [bytes.buffer]);
  } catch (error) {
    postMessage({ soundtrackFailed: error.message });
  }
}

addEventListener('message', async ({ data }) => {
  if (data.type === 'open') {
    packFetch = data.pack && fetch(data.pack);
    packFetch?.catch(() => {});  // said when the pack is asked for
    const context2d = data.canvas.getContext('2d');
    if (!context2d) {
      postMessage({ unable: 'a worker here cannot draw on a canvas' });
      return;
    }
    try {
      const { engine, moduleAddress, wasmAddress } = await createEngine(data.module);
      stage = makeStage(engine, data.canvas, context2d);
      postMessage({ opened: { ...stage.info, files: [moduleAddress, wasmAddress] } });
    } catch (error) {
      postMessage({ failed: error.message });
    }
    return;
  }
  if (data.type === 'soundtrack') {
    fetchSoundtrack(data.address);  // not queued: the frames go on while it downloads
    return;
  }
  // One at a time, in order: the pack's unzipping must not let a later request through first.
  queue = queue.then(() => answer(data));
});
