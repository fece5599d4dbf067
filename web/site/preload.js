// The data pack is most of what the first frame waits for: it starts downloading
// before the modules (data.js unpacks it), unless ?data= names other data.
// A file of its own, not inline, so that a strict Content-Security-Policy allows it.
if (!new URLSearchParams(location.search).has('data') && 'DecompressionStream' in window) {
  document.head.append(Object.assign(document.createElement('link'),
    { rel: 'preload', href: 'data.pack', as: 'fetch', crossOrigin: 'anonymous' }));
}
