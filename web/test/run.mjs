// The page in Debian's headless Chromium against the native program:
//   node run.mjs SITE BIN
// SITE is build-web/site, BIN the native build's bin/ (vantrelle-render and
// the data set). Each test prints one line; any failure ends with status 1.
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { cpSync, mkdtempSync, readFileSync, rmSync, truncateSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { launch, open, render, renderAll, serve } from './harness.mjs';

const [site, bin] = process.argv.slice(2).map((p) => path.resolve(p));
const kShowEnd = 251328;
// Every segment starts on a beat of 462 ms: these beats, and the show's end.
const segmentBeats = [0, 32, 48, 56, 64, 72, 80, 96, 128, 132, 144, 148, 160, 164, 176, 180, 192, 224, 288, 320,
  352, 384, 416, 448, 480, 544];
// The start-up tables that come from sin, cos and atan2 (numbered as in
// web/vantrelle_web.cpp), by their FNV-1a hashes as glibc builds them natively.
const tableHashes = ['SinTable', 'CosTable', 'PolarMap', 'RaySourceX', 'RaySourceY'];

const sha = (bytes) => createHash('sha256').update(bytes).digest('hex');

// Three broken copies of the data set and the native program's message for each.
function brokenDataSets(root) {
  const cases = {
    missing: (dir) => rmSync(path.join(dir, 'gfx/planet.pal')),
    size: (dir) => truncateSync(path.join(dir, 'gfx/credits.raw'), 1000),
    mesh: (dir) => {
      const mesh = path.join(dir, 'mesh/zerozev.3df');
      const bytes = readFileSync(mesh);
      bytes.writeInt32LE(0x7fffffff, 4);  // a vertex count no mesh can hold
      writeFileSync(mesh, bytes);
    },
  };
  return Object.entries(cases).map(([name, breakIt]) => {
    const dir = path.join(root, name);
    for (const part of ['gfx', 'mesh', 'music']) cpSync(path.join(bin, part), path.join(dir, part), { recursive: true });
    breakIt(dir);
    let message = '';
    try {
      render(bin, ['--data', dir, '--at', '0', '--raw', '/dev/null']);
    } catch (error) {
      message = error.stderr.toString().trim().replace(/^vantrelle-render: /, '');
    }
    return { name, dir, message };
  });
}

const tests = {
  // Frames at every segment's edges and on a sweep of 500 times, byte for byte.
  async frames({ page }) {
    const times = segmentBeats.flatMap((b) => [462 * b - 1, 462 * b, 462 * b + 1]).filter((t) => t >= 0);
    for (let k = 0; k < 500; ++k) times.push(Math.floor(k * (kShowEnd + 600) / 500) + (k % 7));
    const expected = await renderAll(bin, times);
    for (const [i, t] of times.entries()) {
      const mine = await page.evaluate((t) => {
        const f = vantrelleTest.frameAt(t);
        return crypto.subtle.digest('SHA-256', f).then((d) => [...new Uint8Array(d)].map((b) => b.toString(16).padStart(2, '0')).join(''));
      }, t);
      if (mine !== sha(expected[i])) {
        const frame = Buffer.from(await page.evaluate((t) => Array.from(vantrelleTest.frameAt(t)), t));
        const at = frame.findIndex((b, j) => b !== expected[i][j]) >> 1;
        throw new Error(`frame at t=${t} differs first at pixel (${at % 400}, ${Math.floor(at / 400)})`);
      }
    }
    return `${times.length} frames identical`;
  },
};

const site_ = await serve(site);
const browser = await launch();
let failed = 0;
try {
  const page = await open(browser, `${site_.url}?test`);
  await page.evaluate(() => vantrelleTest.ready);
  for (const [name, test] of Object.entries(tests)) {
    try {
      console.log(`web: ${name}: ${await test({ page, url: site_.url, browser })}`);
    } catch (error) {
      ++failed;
      console.log(`web: ${name}: FAILED: ${error.message}`);
    }
  }
} finally {
  await browser.close();
  site_.close();
}
process.exit(failed ? 1 : 0);
