// Plays the show offline after one visit. The site build stamps `version`
// and `shell` (the page's own files); a new build gets a new cache and the
// old ones are deleted. The page hands over the data pack and the soundtrack
// it downloaded and names the engine module it runs.
const version = 'unbuilt';
const shell = ['./', 'index.html'];
const cacheName = `vantrelle-${version}`;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(shell)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    const old = (await caches.keys()).filter((name) => name.startsWith('vantrelle-') && name !== cacheName);
    await Promise.all(old.map((name) => caches.delete(name)));
    await self.clients.claim();
  })());
});

self.addEventListener('message', (event) => {
  const { keep = [], fetch: wanted = [] } = event.data ?? {};
  event.waitUntil((async () => {
    // A worker whose cache a newer build has deleted keeps nothing more.
    if (!(await caches.has(cacheName))) {
      event.ports[0]?.postMessage('superseded');
      return;
    }
    const cache = await caches.open(cacheName);
    let kept = true;
    await Promise.all(keep.map(([url, bytes]) => cache.put(url, new Response(bytes))));
    await Promise.all(wanted.map(async (url) => {
      if (!(await cache.match(url))) await cache.add(url).catch(() => { kept = false; });
    }));
    event.ports[0]?.postMessage(kept ? 'kept' : 'incomplete');
  })());
});

// The cache first; the page itself whatever its query (?embed, #t= ...).
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
  event.respondWith((async () => {
    const cache = await caches.open(cacheName);
    const cached = await cache.match(request, { ignoreSearch: request.mode === 'navigate' });
    return cached ?? fetch(request);
  })());
});
