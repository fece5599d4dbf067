// The page in Debian's headless Chromium against the native program:
//   node run.mjs SITE BIN [TEST...]
// SITE is build-web/site, BIN the native build's bin/ (vantrelle-render and
// the data set). Each test prints one line; any failure ends with status 1.
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { cpSync, mkdtempSync, readdirSync, readFileSync, rmSync, truncateSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { launch, open, render, renderAll, serve } from './harness.mjs';

const [site, bin] = process.argv.slice(2, 4).map((p) => path.resolve(p));
const chosen = process.argv.slice(4);
const kShowEnd = 251328;
// Every segment starts on a beat of 462 ms: these beats, and the show's end.
const segmentBeats = [0, 32, 48, 56, 64, 72, 80, 96, 128, 132, 144, 148, 160, 164, 176, 180, 192, 224, 288, 320,
  352, 384, 416, 448, 480, 544];
// The start-up tables that come from sin, cos and atan2 (numbered as in
// web/vantrelle_web.cpp), by their FNV-1a hashes as built natively with glibc.
const tableHashes = [['SinTable', 'b94b31a59585ffaa'], ['CosTable', '0778b83d21058a9e'],
  ['PolarMap', '33e2424dc85dfcb7'], ['RaySourceX', '415002f5ecd698dc'], ['RaySourceY', '1f61e2a8da174890']];

const sha = (bytes) => createHash('sha256').update(bytes).digest('hex');
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function fnv1a(bytes) {
  let h = 0xcbf29ce484222325n;
  for (const b of bytes) h = ((h ^ BigInt(b)) * 0x100000001b3n) & 0xffffffffffffffffn;
  return h.toString(16).padStart(16, '0');
}

// The first channel's samples as the page decoded them and as ffmpeg does
// (which drops the encoder's delay and padding named in the file's header).
async function soundtrackHeads(page, count) {
  const { rate, head } = await page.evaluate(async (count) => {
    const sound = await vantrelleTest.soundtrack();
    return { rate: sound.sampleRate, head: Array.from(sound.getChannelData(0).subarray(0, count)) };
  }, count);
  const pcm = execFileSync('ffmpeg', ['-v', 'error', '-i', path.join(bin, 'music/soundtrack.mp3'), '-af', 'pan=mono|c0=c0',
    '-ar', String(rate), '-t', String(2 * count / rate), '-f', 'f32le', '-'], { maxBuffer: 1 << 26 });
  return { rate, mine: head, reference: new Float32Array(pcm.buffer, pcm.byteOffset, pcm.length / 4) };
}

// The shift (in samples, within ±limit) that best lines `a` up with `b`.
function bestShift(a, b, limit, from, length) {
  let best = { shift: 0, error: Infinity };
  for (let shift = -limit; shift <= limit; ++shift) {
    let error = 0;
    for (let i = from; i < from + length; ++i) error += (a[i + shift] - b[i]) ** 2;
    if (error < best.error) best = { shift, error };
  }
  return best.shift;
}

// Three broken copies of the data set and the native program's message for each.
function brokenDataSets(root) {
  const cases = {
    missing: (dir) => rmSync(path.join(dir, 'gfx/planet.pal')),
    size: (dir) => truncateSync(path.join(dir, 'gfx/credits.raw'), 1000),
    mesh: (dir) => {
      const mesh = path.join(dir, 'mesh/zerozev.3df');
      const bytes = readFileSync(mesh);
      bytes.writeInt32LE(0x7fffffff, 4);  // more faces than any mesh may have
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
    if (!message) throw new Error(`the native program accepts the data set broken by ${name}`);
    return { name, dir, message };
  });
}

// Frames at every segment's edges and on a sweep of 500 times.
function frameTimes() {
  const times = segmentBeats.flatMap((b) => [462 * b - 1, 462 * b, 462 * b + 1]).filter((t) => t >= 0);
  for (let k = 0; k < 500; ++k) times.push(Math.floor(k * (kShowEnd + 600) / 500) + (k % 7));
  return times;
}

// The page's frames at `times` against the native program's, byte for byte.
async function compareFrames(page, times) {
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
}

const tests = {
  // Headless Chromium has WebAssembly vectors, so the page runs the vector build.
  async frames({ page }) {
    if (!(await page.evaluate(() => vantrelleTest.vectors))) throw new Error('the page chose the build without vectors');
    const times = frameTimes();
    await compareFrames(page, times);
    return `${times.length} frames identical`;
  },

  // The build for browsers without vectors (?simd=0) draws the same frames.
  async scalarFrames({ browser, url }) {
    const page = await open(browser, `${url}?test&simd=0`);
    await page.evaluate(() => vantrelleTest.ready);
    if (await page.evaluate(() => vantrelleTest.vectors)) throw new Error('?simd=0 still runs the vector build');
    const times = frameTimes();
    await compareFrames(page, times);
    await page.close();
    return `${times.length} frames of the build without vectors identical`;
  },

  async tables({ page }) {
    const hashes = await page.evaluate((n) => Array.from({ length: n }, (_, i) => Array.from(vantrelleTest.table(i))),
      tableHashes.length);
    const wrong = tableHashes.filter(([, hash], i) => fnv1a(hashes[i]) !== hash).map(([name]) => name);
    if (wrong.length) throw new Error(`start-up tables differ from the native ones: ${wrong.join(', ')}`);
    return `${tableHashes.length} tables from sin, cos and atan2 identical`;
  },

  // The page at #t=44500, landscape and upright: the frame twice its size, centred on black.
  async screenshot({ browser, url }) {
    const shots = mkdtempSync(path.join(tmpdir(), 'vantrelle-web-'));
    try {
      render(bin, ['--at', '44500', '--png', shots, '--scale', '2']);
      const expected = readFileSync(path.join(shots, 't044500.png')).toString('base64');
      for (const [query, width, height] of [['?test', 1000, 600], ['?test&portrait', 600, 1000]]) {
        const page = await open(browser, `${url}${query}#t=44500`, { width, height });
        await page.evaluate(() => vantrelleTest.ready);
        const shot = await page.screenshot({ encoding: 'base64' });
        const result = await page.evaluate(async (shot, expected, portrait) => {
          const pixelsOf = async (png) => {
            const image = await createImageBitmap(await (await fetch(`data:image/png;base64,${png}`)).blob());
            const context = new OffscreenCanvas(image.width, image.height).getContext('2d');
            context.drawImage(image, 0, 0);
            return context.getImageData(0, 0, image.width, image.height);
          };
          const [page, frame] = [await pixelsOf(shot), await pixelsOf(expected)];
          // The frame turned a quarter clockwise when upright: its (x, y) at column 239 - y, row x.
          const [w, h] = portrait ? [480, 800] : [800, 480];
          const [left, top] = [(page.width - w) / 2, (page.height - h) / 2];
          for (let y = 0; y < page.height; ++y) {
            for (let x = 0; x < page.width; ++x) {
              const [u, v] = [x - left, y - top];
              const inside = u >= 0 && u < w && v >= 0 && v < h;
              const [fx, fy] = portrait ? [v, 479 - u] : [u, v];
              for (let c = 0; c < 3; ++c) {
                const want = inside ? frame.data[4 * (800 * fy + fx) + c] : 0;
                if (page.data[4 * (page.width * y + x) + c] !== want) return `pixel (${x}, ${y}) differs`;
              }
            }
          }
          return '';
        }, shot, expected, query.includes('portrait'));
        await page.close();
        if (result) throw new Error(`${query}: ${result}`);
      }
      return 'the page shows the frame of vantrelle-render --png --scale 2, letterboxed in black, both ways up';
    } finally {
      rmSync(shots, { recursive: true, force: true });
    }
  },

  // The decoded soundtrack starts with the music's first sample: no decoder delay left in.
  async sound({ page }) {
    const { rate, mine, reference } = await soundtrackHeads(page, 4 * 44100);
    const shift = bestShift(mine, reference, Math.round(rate / 100), Math.round(rate / 50), rate);
    const ms = (1000 * shift) / rate;
    if (Math.abs(ms) > 1) throw new Error(`the page's soundtrack is ${ms.toFixed(2)} ms off the music's start`);
    return `the soundtrack starts ${ms.toFixed(2)} ms from the music's first sample`;
  },

  // Playing, 5 s on with the right arrow, paused and resumed with Space: picture and sound move together.
  async seek({ browser, url }) {
    const page = await open(browser, `${url}?test#t=60000`);
    await page.evaluate(() => vantrelleTest.ready);
    await page.mouse.click(400, 300);
    await page.waitForFunction(() => vantrelleTest.clock().sound !== null, { timeout: 20000 });
    const clock = () => page.evaluate(() => vantrelleTest.clock());
    // Each step: a key (or 300 ms of waiting), then what holds of the clock now and before it.
    const steps = [
      ['playing', null, (now) => now.picture >= 60000],
      ['seek', 'ArrowRight', (now, before) => Math.abs(now.picture - before.picture - 5000) < 100],
      ['pause', ' ', (now, before) => now.sound === null && now.picture - before.picture < 100],
      ['paused', null, (now, before) => now.picture === before.picture],
      ['resume', ' ', (now, before) => now.picture - before.picture < 100],
    ];
    let before = await clock();
    for (const [name, key, holds] of steps) {
      if (key) await page.keyboard.press(key);
      else await sleep(300);
      const now = await clock();
      const together = now.sound === null ? name.startsWith('pause') : Math.abs(now.sound - now.picture) <= 1;
      if (!holds(now, before) || !together) throw new Error(`${name}: picture at ${now.picture} ms, sound at ${now.sound} ms (before: ${before.picture} ms)`);
      before = now;
    }
    await page.close();
    return 'picture and sound seek, pause and resume together';
  },

  // Broken data beside the page (?data=) and dropped on it: the native message,
  // and the page still plays what it had.
  async badData({ browser, url, page, broken }) {
    for (const { name, dir, message } of broken) {
      const bad = await open(browser, `${url}?test&data=bad/${name}/`);
      const rejected = await bad.evaluate(() => vantrelleTest.ready.then(() => 'loaded', (error) => error));
      const shown = await bad.$eval('#message', (element) => element.textContent);
      await bad.close();
      // Files are named as the person knows them: here, by the address beside the page.
      const expected = message.replaceAll(`${dir}/`, `bad/${name}/`);
      if (rejected !== expected || shown !== expected) throw new Error(`?data= with ${name}: "${shown}", not "${expected}"`);
    }
    for (const { name, dir, message } of broken) {
      const files = ['gfx', 'mesh'].flatMap((part) => readdirSync(path.join(dir, part)).map((file) => `${part}/${file}`));
      const shown = await page.evaluate(async (name, files) => {
        const drop = new DataTransfer();
        for (const file of files) {
          const response = await fetch(`bad/${name}/${file}`);
          if (response.ok) drop.items.add(new File([await response.blob()], file.slice(file.indexOf('/') + 1)));
        }
        document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: drop, bubbles: true, cancelable: true }));
        await new Promise((resolve) => setTimeout(resolve, 500));
        return document.getElementById('message').textContent;
      }, name, files);
      const expected = message.replaceAll(`${dir}/`, '');  // loose files: named by their place in the set
      if (shown !== expected) throw new Error(`dropped ${name}: "${shown}", not "${expected}"`);
    }
    const frame = await page.evaluate(() => Array.from(vantrelleTest.frameAt(44500)));
    if (sha(Buffer.from(frame)) !== sha(render(bin, ['--times', '44500', '--raw', '-']))) throw new Error('the page no longer plays its data');
    return `${broken.length} broken data sets give the native messages; the page plays on`;
  },
};

const scratch = mkdtempSync(path.join(tmpdir(), 'vantrelle-web-'));
const broken = brokenDataSets(scratch);
const site_ = await serve(site, { '/bad/': scratch });
const browser = await launch();
let failed = 0;
try {
  const page = await open(browser, `${site_.url}?test`);
  await page.evaluate(() => vantrelleTest.ready);
  for (const [name, test] of Object.entries(tests).filter(([name]) => !chosen.length || chosen.includes(name))) {
    try {
      console.log(`web: ${name}: ${await test({ page, url: site_.url, browser, broken })}`);
    } catch (error) {
      ++failed;
      console.log(`web: ${name}: FAILED: ${error.message}`);
    }
  }
} finally {
  await browser.close();
  site_.close();
  rmSync(scratch, { recursive: true, force: true });
}
const ran = Object.keys(tests).filter((name) => !chosen.length || chosen.includes(name)).length;
console.log(`web: ${ran - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
