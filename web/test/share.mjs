// Sharing a moment from the page, in Debian's headless Chromium: the copied
// link and the saved still, against the native program.
//   node share.mjs SITE BIN [TEST...]
// Each test prints one line; any failure ends with status 1.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { launch, open, render, serve } from './harness.mjs';

const [site, bin] = process.argv.slice(2, 4).map((p) => path.resolve(p));
const chosen = process.argv.slice(4);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// RGB565 little-endian to RGB bytes, each field's top bits repeated into its low bits.
function widen(raw) {
  const rgb = Buffer.alloc(raw.length / 2 * 3);
  for (let i = 0; i < raw.length / 2; ++i) {
    const p = raw.readUInt16LE(2 * i);
    const r = p >> 11, g = (p >> 5) & 63, b = p & 31;
    rgb[3 * i] = (r << 3) | (r >> 2);
    rgb[3 * i + 1] = (g << 2) | (g >> 4);
    rgb[3 * i + 2] = (b << 3) | (b >> 2);
  }
  return rgb;
}

// ffmpeg, not the page or the render tool, reads the PNGs.
const pngPixels = (file) => execFileSync('ffmpeg', ['-v', 'error', '-i', file, '-f', 'rawvideo', '-pix_fmt', 'rgb24', '-'], { maxBuffer: 1 << 24 });
const pngSize = (bytes) => [bytes.readUInt32BE(16), bytes.readUInt32BE(20)];

// What the landscape canvas shows, as RGB bytes.
const canvasPixels = async (page) => Buffer.from(await page.$eval('#screen', (canvas) => {
  const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
  return Array.from(data.filter((_, i) => i % 4 !== 3));
}));

// Plays from `start`, pauses a moment later and returns where it holds.
async function pauseAfter(page, start) {
  await page.evaluate((t) => { location.hash = `t=${t}`; }, start);
  await page.mouse.click(400, 200);
  await page.waitForFunction(() => vantrelleTest.state().playing);
  await sleep(400);
  await page.keyboard.press('Space');
  await page.waitForFunction(() => vantrelleTest.state().paused);
  return page.evaluate(() => vantrelleTest.clock().picture);
}

async function press(page, id) {
  await page.mouse.move(400, 300);
  await page.mouse.move(410, 310);
  await page.waitForSelector('#strip.shown');
  await page.click(`#${id}`);
}

const tests = {
  // The copied address opens on its moment's frame and plays on from there.
  async link({ browser, url }) {
    await browser.defaultBrowserContext().overridePermissions(url, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
    const page = await open(browser, `${url}?test`);
    await page.evaluate(() => vantrelleTest.ready);
    const held = await pauseAfter(page, 61000);
    await press(page, 'copy-link');
    await page.waitForFunction(() => document.getElementById('message').textContent !== '');
    const link = await page.evaluate(() => navigator.clipboard.readText());
    if (link !== `${url}?test#t=${held}`) throw new Error(`copied ${JSON.stringify(link)} at ${held} ms`);
    await page.close();

    const opened = await open(browser, link);
    await opened.evaluate(() => vantrelleTest.ready);
    const shown = await canvasPixels(opened);
    const want = widen(render(bin, ['--at', String(held), '--raw', '-']));
    if (!shown.equals(want)) throw new Error(`the title card is not the frame at ${held} ms`);
    await opened.mouse.click(400, 200);
    await opened.waitForFunction(() => vantrelleTest.state().playing);
    const playing = await opened.evaluate(() => vantrelleTest.clock().picture);
    if (playing < held || playing > held + 2000) throw new Error(`plays at ${playing} ms, not from ${held} ms`);
    await opened.close();
    return `copied ${link.slice(url.length)}; it opens on that frame and plays on from ${held} ms`;
  },

  // The still is named for its moment and its pixels are the render tool's PNG at ×3.
  async still({ browser, url }) {
    const folder = mkdtempSync(path.join(tmpdir(), 'vantrelle-still-'));
    try {
      const page = await open(browser, `${url}?test`);
      await page.evaluate(() => vantrelleTest.ready);
      const session = await page.createCDPSession();
      await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
      const held = await pauseAfter(page, 44352);
      await press(page, 'save-still');
      const name = `vantrelle-t${String(held).padStart(6, '0')}.png`;
      const saved = path.join(folder, name);
      for (let waited = 0; !existsSync(saved); waited += 100) {
        if (waited > 10000) throw new Error(`no ${name}; saved: ${readdirSync(folder).join(', ') || 'nothing'}`);
        await sleep(100);
      }
      await sleep(200);
      await page.close();
      const size = pngSize(readFileSync(saved));
      if (size.join('×') !== '1200×720') throw new Error(`${name} is ${size.join('×')}`);
      const native = path.join(folder, 'native');
      render(bin, ['--at', String(held), '--png', native, '--scale', '3']);
      const [file] = readdirSync(native);
      if (!pngPixels(saved).equals(pngPixels(path.join(native, file)))) throw new Error(`${name} differs from the render tool's PNG`);
      return `${name}, 1200 × 720, pixel for pixel the render tool's --scale 3 PNG`;
    } finally {
      rmSync(folder, { recursive: true, force: true });
    }
  },
};

const server = await serve(site);
const browser = await launch();
let failed = 0;
const run = Object.entries(tests).filter(([name]) => !chosen.length || chosen.includes(name));
try {
  for (const [name, test] of run) {
    try {
      console.log(`share: ${name}: ${await test({ browser, url: server.url })}`);
    } catch (error) {
      ++failed;
      console.log(`share: ${name}: FAILED: ${error.message}`);
    }
  }
} finally {
  await browser.close();
  server.close();
}
console.log(`share: ${run.length - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
