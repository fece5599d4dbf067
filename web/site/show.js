// The page's engine: in a worker that draws on the screen's canvas where the
// browser can (a module worker with an OffscreenCanvas), so that compiling
// it, loading the data and building its tables never hold up input;
// otherwise in the page, as the same code (stage.js). ?engine=page keeps it
// in the page. Either way the page asks by request, `call(type, args)`,
// which resolves to the answer; requests are answered one at a time, in order.
import { createEngine, engineBuild, wantVectors } from './engine.js';
import { makeStage } from './stage.js';

// The worker engine-start.js started from the page's head, where the browser
// can draw from one (null elsewhere, or where that script did not load).
const startedWorker = window.start?.worker ?? null;
export const workerStarted = startedWorker !== null;

// The worker, open: resolves to its stage's info, or rejects (and the worker is ended).
function openWorker(worker, module, canvas) {
  const offscreen = canvas.transferControlToOffscreen();
  const pending = new Map();
  let next = 0;
  let soundtrack = null;  // { offerHead, resolve, reject } while the worker downloads it
  return new Promise((resolve, reject) => {
    // `unable`: this browser cannot run the engine in a worker, and the page runs it instead.
    const failed = (message, unable = false) => {
      worker.terminate();
      for (const { reject: fail } of pending.values()) fail(new Error(message));
      pending.clear();
      soundtrack?.reject(new Error(message));
      reject(Object.assign(new Error(message), { unable }));
    };
    worker.onerror = (event) => {
      event.preventDefault();
      failed(`engine-worker.js: ${event.message || 'did not start'}`, true);
    };
    worker.onmessage = ({ data }) => {
      if ('unable' in data) failed(data.unable, true);
      if ('failed' in data) failed(data.failed);
      if ('opened' in data) {
        resolve({
          ...data.opened,
          call(type, args = {}) {
            const id = ++next;
            worker.postMessage({ id, type, ...args });
            return new Promise((resolve, reject) => pending.set(id, { resolve, reject }));
          },
          // The soundtrack at `address`, downloaded in the worker (see fetchSoundtrack in data.js).
          soundtrack(address, offerHead) {
            worker.postMessage({ type: 'soundtrack', address });
            return new Promise((resolve, reject) => { soundtrack = { offerHead, resolve, reject }; });
          },
        });
      }
      if ('soundtrackHead' in data) soundtrack?.offerHead(data.soundtrackHead);
      if ('warning' in data) console.warn(data.warning);
      if ('soundtrack' in data) soundtrack?.resolve(data.soundtrack);
      if ('soundtrackFailed' in data) soundtrack?.reject(new Error(data.soundtrackFailed));
      // An answer after the worker failed has no one waiting for it.
      if ('id' in data && pending.has(data.id)) {
        const { resolve: answer, reject: fail } = pending.get(data.id);
        pending.delete(data.id);
        if ('error' in data) fail(new Error(data.error));
        else answer(data.result);
      }
    };
    if (worker.startFailed) failed(`engine-worker.js: ${worker.startFailed}`, true);
    else worker.postMessage({ type: 'open', module, canvas: offscreen }, [offscreen]);
  });
}

// The engine in the page, drawing on `canvas`.
async function openInPage(module, canvas) {
  const { engine, moduleAddress, wasmAddress } = await createEngine(module);
  const stage = makeStage(engine, canvas);
  // Answered one at a time, in order, as the worker answers.
  let queue = Promise.resolve();
  return {
    ...stage.info,
    files: [moduleAddress, wasmAddress],
    call(type, args = {}) {
      const answer = queue.then(() => stage.handle({ type, ...args }));
      queue = answer.catch(() => {});
      return answer;
    },
  };
}

// Opens the engine for the screen's canvas (`canvas`; `params`, the page's
// options). Resolves to the engine's info (width, height, segmentStarts,
// dataNames, verticalLayout), `call`, `canvas` (the screen's canvas now: a
// worker that fails to start leaves the page a fresh one), `vectors`,
// `module` (the build in use, for another instance of it), `files` (the
// addresses the engine was read from, for offline play) and `inWorker`;
// in the worker, also `soundtrack(address, offerHead)`, which downloads the
// soundtrack there.
export async function openShow(canvas, params) {
  const vectors = wantVectors(params);
  const module = engineBuild(params);
  if (startedWorker) {
    try {
      return { ...(await openWorker(startedWorker, module, canvas)), canvas, vectors, module, inWorker: true };
    } catch (error) {
      if (!error.unable) throw error;
      console.warn(`${error.message}; the engine runs in the page`);
      // The canvas went to the worker: a new one takes its place.
      const fresh = canvas.cloneNode(false);
      canvas.replaceWith(fresh);
      canvas = fresh;
    }
  }
  return { ...(await openInPage(module, canvas)), canvas, vectors, module, inWorker: false };
}
