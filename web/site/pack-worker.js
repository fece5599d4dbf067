// Downloads the data pack for the engine's worker. The pack is the bulk of
// what the first frame waits for, and the engine's worker can ask for it only
// once its modules are in, behind the page's own on the browser's few
// connections to the server; this worker imports nothing, so the download
// starts as soon as its script arrives. A worker's requests, unlike the
// page's, do not hold back the page's first paint. The pack unzips as it
// arrives, which takes no longer than the download.
//   in:  { address, port }  once
//   out: on `port`, { zipped, plain, download } (ArrayBuffers: the pack as it
//        came, and unzipped, or null where it does not unzip; its address,
//        start and end, ms from the clock's origin) or { error: message };
//        then it ends.
const now = () => performance.timeOrigin + performance.now();
addEventListener('message', async ({ data: { address, port } }) => {
  try {
    const start = now();
    const response = await fetch(address, { priority: 'high' });
    if (!response.ok) throw new Error(`${response.status} ${response.statusText}`);
    const [kept, unzipped] = response.body.tee();
    const [zipped, plain] = await Promise.all([new Response(kept).arrayBuffer(),
      new Response(unzipped.pipeThrough(new DecompressionStream('gzip'))).arrayBuffer().catch(() => null)]);
    const download = { name: address, start, end: now() };
    port.postMessage({ zipped, plain, download }, plain ? [zipped, plain] : [zipped]);
  } catch (error) {
    port.postMessage({ error: error.message });
  }
  close();
});
