// The page's head starts what the first frame waits for, beside the page's
// own modules rather than after them: the engine's worker and, in it, the
// downloads of the data pack and of the engine build. The modules
// take `start` over from here (show.js the worker, data.js the pack's
// address). A file of its own, not inline, so that a strict
// Content-Security-Policy allows it.
{
  const params = new URLSearchParams(location.search);
  // The page's own data comes as one gzipped pack, unless ?data= names other
  // data or the browser cannot unzip.
  const packAddress = params.has('data') || typeof DecompressionStream !== 'function' ? null
    : new URL('data.pack', location.href).href;
  // A module worker drawing on an OffscreenCanvas the page hands over; not with ?engine=page.
  const workerCanDraw = typeof HTMLCanvasElement.prototype.transferControlToOffscreen === 'function'
    && typeof OffscreenCanvas === 'function' && typeof OffscreenCanvasRenderingContext2D === 'function';
  let worker = null;
  if (params.get('engine') !== 'page' && workerCanDraw) {
    // Its address is the page's own, so that the service worker serves it (a
    // client of its own) from the same build as the page.
    worker = new Worker(`engine-worker.js?page=${Math.random().toString(36).slice(2)}`, { type: 'module', name: 'engine' });
    // Failing to start before show.js listens would go unseen.
    worker.addEventListener('error', (event) => {
      event.preventDefault();
      worker.startFailed ??= event.message || 'did not start';
    });
    worker.postMessage({ type: 'start', pack: packAddress, search: location.search });
  }
  window.start = { worker, packAddress };
}
