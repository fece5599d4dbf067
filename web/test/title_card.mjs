// The title card as a phone meets it, in Debian's headless Chromium: its
// picture before the data has arrived, exact, and nothing moving.
//   node title_card.mjs SITE BIN [TEST...]
// Each test prints one line; any failure ends with status 1.
import { cpSync, mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { launch, render, runTests, serve, startEngine, strictCsp } from './harness.mjs';

const [site, bin] = process.argv.slice(2, 4).map((p) => path.resolve(p));
const chosen = process.argv.slice(4);
const phone = { width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true };
// Turned, the site is served with a strict Content-Security-Policy.
const ways = [
  { name: 'upright', viewport: phone, portrait: true, headers: () => ({}) },
  { name: 'turned', viewport: { ...phone, width: 844, height: 390 }, portrait: false, headers: () => ({ 'Content-Security-Policy': strictCsp }) },
];
const kMaxShift = 0.02;
// The data the engine waits for: held back by the server until the test lets it go.
const isData = (url) => url === '/data.pack' || url.startsWith('/data/');
const posterTime = Number(/^export const posterTime = (\d+);$/m.exec(readFileSync(path.join(site, 'build.js'), 'utf8'))[1]);

// The render tool's frame at `t` as RGB bytes, RGB565 widened as a PNG writer widens it.
function frameRgb(t, extra = []) {
  const raw = render(bin, ['--at', String(t), ...extra, '--raw', '-']);
  const rgb = Buffer.alloc(raw.length / 2 * 3);
  for (let i = 0; i < raw.length / 2; ++i) {
    const p = raw.readUInt16LE(2 * i);
    const [r, g, b] = [p >> 11, (p >> 5) & 63, p & 31];
    rgb.set([(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)], 3 * i);
  }
  return rgb;
}

// The picture as the viewer sees it, against `frame` (RGB, `width` wide)
// enlarged by the whole factor that fits the viewport in device pixels;
// '' when every device pixel of the picture's box matches.
async function compareShown(page, decoder, frame, width, height) {
  // An image arrived is decoded and painted a little later.
  let wrong;
  for (let tries = 0; tries < 10 && (wrong = await compareOnce(page, decoder, frame, width, height)); ++tries) {
    await page.evaluate(() => new Promise((resolve) => setTimeout(resolve, 100)));
  }
  return wrong;
}
async function compareOnce(page, decoder, frame, width, height) {
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
  const box = await page.evaluate(() => {
    const { left, top, width, height } = document.getElementById('screen').getBoundingClientRect();
    return { left, top, width, height, ratio: devicePixelRatio, across: innerWidth, down: innerHeight };
  });
  const factor = Math.floor(Math.min(box.across * box.ratio / width, box.down * box.ratio / height));
  if (Math.round(box.width * box.ratio) !== width * factor || Math.round(box.height * box.ratio) !== height * factor) {
    return `the picture's box is ${box.width} × ${box.height} px, not ${width} × ${height} enlarged ${factor} times`;
  }
  // The card's words and buttons lie over the picture: hidden (not moved) for the shot.
  const cover = (visibility) => page.evaluate((visibility) => {
    for (const id of ['card', 'buttons']) document.getElementById(id).style.visibility = visibility;
  }, visibility);
  await cover('hidden');
  const shot = await page.screenshot({ encoding: 'base64', captureBeyondViewport: false });
  await cover('');
  return decoder.evaluate(async (shot, frame, width, height, factor, left, top) => {
    const image = await createImageBitmap(await (await fetch(`data:image/png;base64,${shot}`)).blob());
    const context = new OffscreenCanvas(image.width, image.height).getContext('2d');
    context.drawImage(image, 0, 0);
    const [x0, y0] = [Math.round(left), Math.round(top)];
    const shown = context.getImageData(x0, y0, width * factor, height * factor).data;
    const rgb = Uint8Array.from(atob(frame), (c) => c.charCodeAt(0));
    for (let y = 0; y < height * factor; ++y) {
      for (let x = 0; x < width * factor; ++x) {
        const [i, j] = [4 * (y * width * factor + x), 3 * (Math.floor(y / factor) * width + Math.floor(x / factor))];
        if (shown[i] !== rgb[j] || shown[i + 1] !== rgb[j + 1] || shown[i + 2] !== rgb[j + 2]) {
          return `device pixel ${x}, ${y} of the picture is ${shown.slice(i, i + 3).join()}, frame pixel ${rgb.slice(j, j + 3).join()}`;
        }
      }
    }
    return '';
  }, shot, frame.toString('base64'), width, height, factor, box.left * box.ratio, box.top * box.ratio);
}

// A page with the title card, in a context of its own (nothing cached), from `server`.
async function openCard(browser, server, way, hash = '') {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport(way.viewport);
  page.on('pageerror', (error) => console.error(`page error: ${error.message}`));
  await page.goto(`${server.url}?test=card${hash}`);
  await page.waitForFunction(() => window.vantrelleTest !== undefined);
  const decoder = await context.newPage();
  return { page, decoder, done: () => context.close() };
}
const drawn = (page) => page.evaluate(() => performance.getEntriesByName('first-frame').length > 0);
const shift = (page) => page.evaluate(() => vantrelleTest.layoutShift());

const tests = {
  // Before the data has arrived the card shows the poster's frame, exact and
  // the right way up; once it has, the engine draws the same frame where the
  // poster was. The card names the show and its length (as the engine gives
  // it to the strip), with a play control and the flashing notice; loading,
  // the tap on play and the show's start move nothing.
  async posterFirst({ browser }) {
    const wrong = [];
    const shifts = [];
    for (const way of ways) {
      const server = await serve(site, {}, { held: isData, headers: way.headers });
      const { page, decoder, done } = await openCard(browser, server, way);
      try {
        const [width, height] = way.portrait ? [240, 400] : [400, 240];
        const frame = frameRgb(posterTime, way.portrait ? ['--portrait'] : []);
        await page.waitForFunction(() => performance.getEntriesByType('resource').some((e) => /\/card(-upright)?\.png$/.test(e.name)));
        if (await drawn(page)) wrong.push(`${way.name}: the engine drew before its data arrived`);
        const poster = await compareShown(page, decoder, frame, width, height);
        if (poster) wrong.push(`${way.name}, the poster: ${poster}`);
        server.release();
        await page.evaluate(() => vantrelleTest.ready);
        const engine = await compareShown(page, decoder, frame, width, height);
        if (engine) wrong.push(`${way.name}, the engine's card: ${engine}`);
        const card = await page.evaluate(() => {
          const play = document.getElementById('card-play');
          const { width, height } = play.getBoundingClientRect();
          return { title: document.getElementById('title').textContent, length: document.getElementById('card-length').textContent,
            total: document.getElementById('total').textContent, play: play.tagName, name: play.getAttribute('aria-label'),
            size: Math.min(width, height), notice: document.getElementById('notice').textContent,
            switch: Boolean(document.querySelector('#notice #card-reduce-flashing[role=switch]')) };
        });
        if (card.title !== 'Vantrelle X2' || card.length !== card.total || !/^\d+:\d\d$/.test(card.length) || card.play !== 'BUTTON' ||
          !card.name || card.size < 44 || !/flashing light/.test(card.notice) || !card.switch) {
          wrong.push(`${way.name}, the card: ${JSON.stringify(card)}`);
        }
        const { x, y, width: w, height: h } = await (await page.$('#card-play')).boundingBox();
        await page.touchscreen.tap(x + w / 2, y + h / 2);
        await page.waitForFunction(() => vantrelleTest.state().playing, { timeout: 30000 });
        await page.evaluate(() => new Promise((resolve) => setTimeout(resolve, 1000)));
        const total = await shift(page);
        shifts.push(`${way.name} ${total?.toFixed(4)}`);
        if (total === null || total > kMaxShift) wrong.push(`${way.name}: the layout shifted ${total} in all`);
      } finally {
        await done();
        server.close();
      }
    }
    if (wrong.length) throw new Error(wrong.join('; '));
    return `upright, and turned under a strict CSP: the poster before the data, then the engine's frame, both exact; title, length, play, notice; layout shift ${shifts.join(', ')}`;
  },

  // A link to a moment: the poster stands in until the engine has drawn that moment.
  async linkMoment({ browser }) {
    const [way, t] = [ways[0], 44500];
    const server = await serve(site, {}, { held: isData });
    const { page, decoder, done } = await openCard(browser, server, way, `#t=${t}`);
    try {
      await page.waitForFunction(() => performance.getEntriesByType('resource').some((e) => e.name.endsWith('/card-upright.png')));
      const poster = await compareShown(page, decoder, frameRgb(posterTime, ['--portrait']), 240, 400);
      server.release();
      await page.evaluate(() => vantrelleTest.ready);
      const moment = await compareShown(page, decoder, frameRgb(t, ['--portrait']), 240, 400);
      if (poster || moment) throw new Error(`before the data: ${poster || 'the poster'}; after: ${moment || `the frame at ${t} ms`}`);
    } finally {
      await done();
      server.close();
    }
    return `#t=${t}: the poster, then the frame at ${t} ms`;
  },

  // A data set dropped on the page: the card shows its own frame at the poster's moment.
  async ownData({ browser }) {
    const own = mkdtempSync(path.join(tmpdir(), 'vantrelle-own-'));
    const server = await serve(site, { '/own/': own });
    const { page, decoder, done } = await openCard(browser, server, ways[0]);
    try {
      for (const part of ['gfx', 'mesh', 'music']) cpSync(path.join(bin, part), path.join(own, part), { recursive: true });
      // The planet's texture and the map's swapped: a data set as valid, with another planet.
      cpSync(path.join(bin, 'gfx/planetmap.raw'), path.join(own, 'gfx/planet.raw'));
      cpSync(path.join(bin, 'gfx/planet.raw'), path.join(own, 'gfx/planetmap.raw'));
      const frame = frameRgb(posterTime, ['--portrait', '--data', own]);
      if (frame.equals(frameRgb(posterTime, ['--portrait']))) throw new Error('the swapped data set draws the same frame');
      await page.evaluate(() => vantrelleTest.ready);
      const files = ['gfx', 'mesh'].flatMap((part) => readdirSync(path.join(own, part)).map((file) => `${part}/${file}`));
      await page.evaluate(async (files) => {
        const drop = new DataTransfer();
        for (const file of files) drop.items.add(new File([await (await fetch(`own/${file}`)).blob()], file.slice(file.indexOf('/') + 1)));
        document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: drop, bubbles: true, cancelable: true }));
      }, files);
      const wrong = await compareShown(page, decoder, frame, 240, 400);
      if (wrong) throw new Error(`the dropped data set's card: ${wrong}`);
    } finally {
      await done();
      server.close();
      rmSync(own, { recursive: true, force: true });
    }
    return `a dropped data set: its own frame at ${posterTime} ms on the card`;
  },

  // Firefox and WebKit: before the data, the poster's canvas holds its frame exactly.
  async otherEngines() {
    const frame = frameRgb(posterTime);
    const wrong = [];
    for (const name of ['firefox', 'webkit']) {
      const server = await serve(site, {}, { held: isData });
      const engine = await startEngine(name);
      try {
        const page = await engine.open(`${server.url}?test=card&landscape`, { width: 800, height: 600 });
        const shown = await page.evaluate(async () => {
          while (!performance.getEntriesByName('poster').length) await new Promise((resolve) => setTimeout(resolve, 50));
          const canvas = document.getElementById('poster');
          const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
          return { drawn: performance.getEntriesByName('first-frame').length > 0, width: canvas.width,
            rgb: btoa(String.fromCharCode(...pixels.filter((_, i) => i % 4 !== 3))) };
        });
        const rgb = Buffer.from(shown.rgb, 'base64');
        if (shown.drawn || shown.width !== 400 || !rgb.equals(frame)) wrong.push(`${name}: ${JSON.stringify({ ...shown, rgb: rgb.equals(frame) })}`);
        server.release();
        await page.close();
      } finally {
        await engine.close();
        server.close();
      }
    }
    if (wrong.length) throw new Error(wrong.join('; '));
    return 'Firefox and WebKit: the poster on the canvas before the data, exact';
  },
};

const browser = await launch();
let counts;
try {
  counts = await runTests('title card', tests, { chosen, context: () => ({ browser }) });
} finally {
  await browser.close();
}
console.log(`title card: ${counts.passed} passed, ${counts.failed} failed`);
process.exit(counts.failed ? 1 : 0);
