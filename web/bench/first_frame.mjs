// How soon the page shows its first frame and can play with sound, on
// emulated links, nothing cached, from a plain static server:
//   node first_frame.mjs SITE [SITE...] [--runs N] [--fast-only]
// Prints, for each site and link, the median of N loads (3 by default; one on
// the slow link): the title card's picture drawn (performance mark 'poster';
// a site without one shows none), the first frame (performance mark
// 'first-frame': ready to play), the soundtrack's head or the whole decoded
// (play with sound possible), and the bytes downloaded by the first frame.
import { launch, serve } from '../test/harness.mjs';

const args = process.argv.slice(2);
const runsAt = args.indexOf('--runs');
const runs = runsAt >= 0 ? Number(args.splice(runsAt, 2)[1]) : 3;
const fastAt = args.indexOf('--fast-only');  // the phone's link alone
if (fastAt >= 0) args.splice(fastAt, 1);
const sites = args;
// DevTools' units: bytes per second and ms.
const links = [
  { name: '9 Mbit/s, 170 ms', download: 9e6 / 8, upload: 1.5e6 / 8, latency: 170, runs },
  { name: '400 kbit/s, 400 ms', download: 400e3 / 8, upload: 400e3 / 8, latency: 400, runs: 1 },
].slice(0, fastAt >= 0 ? 1 : 2);

// Recorded in the page from its first moment: when the hook appears, when
// the first frame is marked, when a soundtrack that can play has decoded.
function watch() {
  window.firstFrameTimes = {};
  setInterval(() => {
    const poster = performance.getEntriesByName('poster')[0];
    if (poster && !firstFrameTimes.poster) firstFrameTimes.poster = poster.startTime;
    const mark = performance.getEntriesByName('first-frame')[0];
    if (mark && !firstFrameTimes.frame) firstFrameTimes.frame = mark.startTime;
    if (window.vantrelleTest && !firstFrameTimes.watching) {
      firstFrameTimes.watching = true;
      vantrelleTest.ready.then(() => vantrelleTest.soundtrack()).then((sound) => {
        firstFrameTimes.sound = sound ? performance.now() : -1;
      }, () => { firstFrameTimes.sound = -1; });
    }
  }, 5);
}

async function load(browser, url, link) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true });
  await page.emulateNetworkConditions({ download: link.download, upload: link.upload, latency: link.latency });
  await page.evaluateOnNewDocument(watch);
  let bytes = 0;
  const session = await page.createCDPSession();
  await session.send('Network.enable');
  session.on('Network.loadingFinished', (event) => { bytes += event.encodedDataLength; });
  await page.goto(url);
  await page.waitForFunction(() => window.firstFrameTimes?.frame, { timeout: 300000, polling: 50 });
  const bytesAtFrame = bytes;
  await page.waitForFunction(() => window.firstFrameTimes.sound, { timeout: 600000, polling: 50 });
  const times = await page.evaluate(() => window.firstFrameTimes);
  await context.close();
  return { poster: times.poster ?? NaN, frame: times.frame, sound: times.sound, bytesAtFrame };
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const browser = await launch();
try {
  for (const root of sites) {
    const server = await serve(root);
    for (const link of links) {
      const results = [];
      for (let i = 0; i < link.runs; ++i) results.push(await load(browser, `${server.url}?test`, link));
      const poster = median(results.map((r) => r.poster)) / 1000;
      const frame = median(results.map((r) => r.frame)) / 1000;
      const sound = median(results.map((r) => r.sound)) / 1000;
      const mb = median(results.map((r) => r.bytesAtFrame)) / 1e6;
      console.log(`first frame: ${root}: ${link.name}: poster ${Number.isNaN(poster) ? 'none' : `${poster.toFixed(2)} s`}, first frame ${frame.toFixed(2)} s (${mb.toFixed(2)} MB), ` +
        `play with sound ${sound.toFixed(2)} s (median of ${link.runs})`);
    }
    server.close();
  }
} finally {
  await browser.close();
}
