// Plays the show offline after one visit. The site build stamps `version`
// (also in build.js, the page's) and `shell` (the page's own files). Each
// build fills a cache of its own; a cache is complete once a page of its
// build has handed over everything its visit used and every address has been
// read back from the cache. Only complete caches serve, so a page, its engine
// and its data always come from one build; an older cache is deleted only
// once a newer one is complete.
const version = 'unbuilt';
const shell = ['./', 'index.html'];
const prefix = 'vantrelle-';
const cacheName = `${prefix}${version}`;
const completeKey = new URL('vantrelle-complete', location.href).href;
// Where each page's visit is served from (a cache's name, or '' for the
// network), by client id: kept in a cache of its own, as a worker can stop
// and start again in the middle of a visit.
const visitsName = 'vantrelle:visits';
const visitKey = (id) => new URL(`vantrelle-visit/${encodeURIComponent(id)}`, location.href).href;
const visits = new Map();

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(shell)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(self.clients.claim());
});

const isComplete = async (name) => Boolean(await (await caches.open(name)).match(completeKey));

// This build's cache when complete, else the newest complete one; null when there is none.
async function servingCache() {
  if (await caches.has(cacheName) && await isComplete(cacheName)) return cacheName;
  const names = (await caches.keys()).filter((name) => name.startsWith(prefix)).reverse();  // newest first
  for (const name of names) if (await isComplete(name)) return name;
  return null;
}

// Every address in `wanted` is in `cache` and reads back whole.
async function readsBack(cache, wanted) {
  for (const url of wanted) {
    const response = await cache.match(url, { ignoreSearch: true });
    if (!response) return false;
    await response.arrayBuffer();
  }
  return true;
}

// Completes this build's cache with what a page of this build used: `keep`
// holds [address, blob] it downloaded, `fetch` addresses fetched here. A page
// of another build keeps nothing (its files would mix two builds). Replies
// 'kept' or 'not kept'; a message without a build only adds to a complete
// cache (the muxer, once a clip is saved).
self.addEventListener('message', (event) => {
  const { build, keep = [], fetch: wanted = [] } = event.data ?? {};
  const reply = (text) => event.ports[0]?.postMessage(text);
  event.waitUntil((async () => {
    try {
      if (build !== undefined && build !== version) throw new Error(`a page of build ${build}`);
      if (!(await caches.has(cacheName))) throw new Error('this build\'s cache is gone');
      const cache = await caches.open(cacheName);
      if (build === undefined && !(await cache.match(completeKey))) throw new Error('nothing to add to');
      for (const [url, bytes] of keep) await cache.put(url, new Response(bytes));
      for (const url of wanted) if (!(await cache.match(url))) await cache.add(url);
      if (!(await readsBack(cache, [...shell.map((name) => new URL(name, location.href).href), ...keep.map(([url]) => url), ...wanted]))) {
        throw new Error('the cache does not read back');
      }
      if (build !== undefined) {
        await cache.put(completeKey, new Response(version));
        const names = (await caches.keys()).filter((name) => name.startsWith(prefix));
        const older = names.slice(0, names.indexOf(cacheName));
        await Promise.all(older.map((name) => caches.delete(name)));
        await forgetEndedVisits();
      }
      reply('kept');
    } catch (error) {
      // Storage full, a file that would not download, another build: play on without an offline copy.
      console.warn(`service worker ${version}: not kept: ${error.message}`);
      reply('not kept');
    }
  })());
});

// Where the visit of `clientId` is served from: chosen when its page is
// requested and kept for all its other requests. A page's worker is a client
// of its own, served as its page is: the page's request for the worker's
// script (its address unique to the page) says which page it belongs to.
async function visitSource(clientId) {
  const remembered = async (id) => {
    if (visits.has(id)) return visits.get(id);
    const known = id && await (await caches.open(visitsName)).match(visitKey(id));
    return known ? known.text() : null;
  };
  const own = await remembered(clientId);
  if (own !== null) return own;
  const client = clientId && await self.clients.get(clientId);
  const owner = client?.type === 'worker' ? await remembered(workerKey(client.url)) : null;
  if (owner !== null) {
    await rememberVisit(clientId, owner);
    return owner;
  }
  return (await servingCache()) ?? '';
}
const workerKey = (url) => `worker ${url}`;

async function rememberVisit(clientId, source) {
  visits.set(clientId, source);
  await (await caches.open(visitsName)).put(visitKey(clientId), new Response(source));
}

async function forgetEndedVisits() {
  const live = new Set((await self.clients.matchAll({ includeUncontrolled: true })).map((client) => client.id));
  const stored = await caches.open(visitsName);
  for (const request of await stored.keys()) {
    const id = decodeURIComponent(request.url.slice(request.url.lastIndexOf('/') + 1));
    if (!live.has(id)) await stored.delete(request);
  }
}

// Opening a cache makes it: one deleted since the visit began is not made again.
async function fromCache(name, request, options) {
  return name && (await caches.has(name)) ? (await caches.open(name)).match(request, options) : undefined;
}

// A complete cache serves a visit whole. Without one for this build, the
// network serves (the server holds one build), and offline the newest
// complete cache serves the visit from its page on.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
  event.respondWith((async () => {
    if (request.mode === 'navigate') {
      const own = (await caches.has(cacheName)) && (await isComplete(cacheName)) ? cacheName : '';
      let source = own;
      let response = await fromCache(own, request, { ignoreSearch: true });
      if (!response) {
        response = await fetch(request).catch(() => null);
        if (!response) {
          source = (await servingCache()) ?? '';
          response = (await fromCache(source, request, { ignoreSearch: true })) ?? Response.error();
        }
      }
      const id = event.resultingClientId;
      if (id) event.waitUntil(rememberVisit(id, source));
      return response;
    }
    const source = await visitSource(event.clientId);
    const script = request.destination === 'worker';
    if (script) {
      await rememberVisit(workerKey(request.url), source);
      if (event.resultingClientId) await rememberVisit(event.resultingClientId, source);
    }
    // A worker's address may carry its page's mark: the cache holds it without.
    return (await fromCache(source, request, { ignoreSearch: script })) ?? fetch(request);
  })());
});
