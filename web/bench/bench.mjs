// The browser's speed, as the README reports it:  node bench.mjs SITE
// Frames per second over the whole show (bench.html) with the engine's vector
// build and without it, the time to the title card's picture and to its first frame, and the
// download size of the page and the engine (the vector build), and the speed
// of saving a 10 s clip.
import { readdirSync, readFileSync, statSync } from 'node:fs';
import path from 'node:path';
import { launch, serve } from '../test/harness.mjs';

const site = path.resolve(process.argv[2]);

// CPU seconds used so far by the processes below `root` (the browser's): the
// machine is shared, so the wall clock alone understates the speed.
function cpuSeconds(root) {
  const stats = new Map();
  for (const pid of readdirSync('/proc').filter((p) => /^\d+$/.test(p))) {
    try {
      const fields = readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
      stats.set(Number(pid), { parent: Number(fields[1]), ticks: Number(fields[11]) + Number(fields[12]) });
    } catch {
      // the process ended meanwhile
    }
  }
  const below = (pid) => pid === root || (stats.has(pid) && pid > 1 && below(stats.get(pid).parent));
  return [...stats].filter(([pid]) => below(pid)).reduce((n, [, s]) => n + s.ticks, 0) / 100;  // 100 ticks a second
}
const server = await serve(site);
const browser = await launch();
try {
  const page = await browser.newPage();
  await page.goto(`${server.url}index.html`);
  await page.waitForFunction(() => performance.getEntriesByName('first-frame').length > 0);
  const [poster, firstFrame] = await page.evaluate(() => ['poster', 'first-frame'].map((name) => performance.getEntriesByName(name)[0]?.startTime));
  const files = readdirSync(site).filter((f) => /\.(wasm|m?js|html|css)$/.test(f) && !f.startsWith('bench') && !f.includes('-scalar') && !f.startsWith('mediabunny'));
  const size = files.reduce((n, f) => n + statSync(path.join(site, f)).size, 0);
  console.log(`the title card's picture after ${Math.round(poster)} ms, the first frame after ${Math.round(firstFrame)} ms; the page and the engine (${files.join(', ')}): ${Math.round(size / 1024)} KB`);
  for (const simd of [1, 0]) {
    await page.goto(`${server.url}bench.html?simd=${simd}`);
    const cpuBefore = cpuSeconds(browser.process().pid);
    await page.waitForFunction(() => window.vantrelleBench !== undefined, { timeout: 0 });
    const { vectors, frames, framesPerSecond, segments } = await page.evaluate(() => window.vantrelleBench);
    const cpu = cpuSeconds(browser.process().pid) - cpuBefore;
    console.log(`${vectors ? 'vector' : 'scalar'} build: ${frames} frames at ${framesPerSecond} frames per second by the wall clock, ${Math.round(frames / cpu)} per CPU second`);
    for (const s of segments) console.log(`  segment ${s.segment}: ${s.framesPerSecond} frames/s, slowest ${s.slowestMs.toFixed(1)} ms`);
  }
  // A 10 s clip (600 frames with sound), as Save clip makes it, in each shape.
  await page.goto(`${server.url}index.html?test`);
  await page.waitForFunction(() => window.vantrelleTest !== undefined);
  await page.evaluate(() => Promise.all([vantrelleTest.ready, vantrelleTest.wholeSoundtrack()]));
  for (const shape of ['landscape 1200 × 720', 'upright 1080 × 1920']) {
    if (shape.startsWith('upright')) await page.$eval('#clip-upright', (button) => button.click());
    const cpuBefore = cpuSeconds(browser.process().pid);
    const clip = await page.evaluate(async () => {
      const started = performance.now();
      const { type, bytes } = await vantrelleTest.clip(44352, 54352);
      return { type, size: bytes.length, seconds: (performance.now() - started) / 1000 };
    });
    const cpu = cpuSeconds(browser.process().pid) - cpuBefore;
    console.log(`10 s clip, ${shape} (${clip.type}, ${(clip.size / 1e6).toFixed(2)} MB): made in ${clip.seconds.toFixed(1)} s, ` +
      `${(600 / clip.seconds).toFixed(1)} frames per second by the wall clock, ${Math.round(600 / cpu)} per CPU second`);
  }
} finally {
  await browser.close();
  server.close();
}
