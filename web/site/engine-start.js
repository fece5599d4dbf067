// The page's head starts what the first frame waits for, beside the page's
// own modules rather than after them: the engine's worker (which downloads
// the engine build) and a worker downloading the data pack for it. The modules
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
    // The workers' addresses carry a mark of this page's, so that the service
    // worker serves them (clients of their own) from the same build as the page.
    const mark = Math.random().toString(36).slice(2);
    // The pack's download first: the first frame waits for it the longest.
    let packPort = null;
    if (packAddress) {
      const channel = new MessageChannel();
      packPort = channel.port2;
      const fetcher = new Worker(`pack-worker.js?page=${mark}`, { name: 'pack' });
      fetcher.addEventListener('error', (event) => {
        event.preventDefault();
        worker.postMessage({ type: 'pack', error: `pack-worker.js: ${event.message || 'did not start'}` });
      });
      fetcher.postMessage({ address: packAddress, port: channel.port1 }, [channel.port1]);
    }
    worker = new Worker(`engine-worker.js?page=${mark}`, { type: 'module', name: 'engine' });
    // Failing to start before show.js listens would go unseen.
    worker.addEventListener('error', (event) => {
      event.preventDefault();
      worker.startFailed ??= event.message || 'did not start';
    });
    worker.postMessage({ type: 'start', pack: packPort, search: location.search }, packPort ? [packPort] : []);
  }
  window.start = { worker, packAddress };
}
