// The title card as a phone meets it, in Debian's headless Chromium: its
// picture before the data has arrived, exact, and nothing moving.
import { cpSync, readFileSync } from 'node:fs';
import path from 'node:path';
import { bin, copyData, dataFiles, drop, open, pngRgb, render, runSuite, serve, site, startEngine, strictCsp, widen, withScratch } from './harness.mjs';

const phone = { width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true };
// Turned, the site is served with a strict Content-Security-Policy. A link
// to a moment (`t`) shows the poster until the engine has drawn that moment.
const ways = [
  { name: 'upright', viewport: phone, portrait: true, headers: () => ({}) },
  { name: 'turned', viewport: { ...phone, width: 844, height: 390 }, portrait: false, headers: () => ({ 'Content-Security-Policy': strictCsp }) },
  { name: 'a link to 44.5 s', viewport: phone, portrait: true, headers: () => ({}), t: 44500 },
];
const kMaxShift = 0.02;
// The data the engine waits for: held back by the server until the test lets it go.
const isData = (url) => url === '/data.pack' || url.startsWith('/data/');
const posterTime = Number(/^export const posterTime = (\d+);$/m.exec(readFileSync(path.join(site, 'build.js'), 'utf8'))[1]);

// The render tool's frame at `t` as RGB bytes, as a PNG writer widens it.
const frameRgb = (t, extra = []) => widen(render(bin, ['--at', String(t), ...extra, '--raw', '-']));

// The picture as the viewer sees it, against `frame` (RGB, `width` wide)
// enlarged by the whole factor that fits the viewport in device pixels;
// '' when every device pixel of the picture's box matches.
async function compareShown(page, frame, width, height) {
  // An image arrived is decoded and painted a little later.
  let wrong;
  for (let tries = 0; tries < 10 && (wrong = await compareOnce(page, frame, width, height)); ++tries) {
    await page.evaluate(() => new Promise((resolve) => setTimeout(resolve, 100)));
  }
  return wrong;
}
async function compareOnce(page, frame, width, height) {
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
  const shot = pngRgb(await page.screenshot({ captureBeyondViewport: false }));
  await cover('');
  const [x0, y0] = [Math.round(box.left * box.ratio), Math.round(box.top * box.ratio)];
  for (let y = 0; y < height * factor; ++y) {
    for (let x = 0; x < width * factor; ++x) {
      const [i, j] = [3 * ((y0 + y) * shot.width + x0 + x), 3 * (Math.floor(y / factor) * width + Math.floor(x / factor))];
      if (!shot.rgb.subarray(i, i + 3).equals(frame.subarray(j, j + 3))) {
        return `device pixel ${x}, ${y} of the picture is ${shot.rgb.subarray(i, i + 3).join()}, frame pixel ${frame.subarray(j, j + 3).join()}`;
      }
    }
  }
  return '';
}

// A page with the title card, in a context of its own (nothing cached), from `server`.
const openCard = (browser, server, way, hash = '') => open(browser, `${server.url}?test=card${hash}`, way.viewport, { fresh: true });

const tests = {
  // Before the data has arrived the card shows the poster's frame, exact and
  // the right way up; once it has, the engine draws the same frame where the
  // poster was. The card names the show and its length (as the engine gives
  // it to the strip), with a play control and the flashing notice; loading,
  // the tap on play and the show's start move nothing. A link to a moment
  // shows the poster until the engine draws that moment.
  async posterFirst({ browser }) {
    const wrong = [];
    const shifts = [];
    for (const way of ways) {
      const server = await serve(site, {}, { held: isData, headers: way.headers });
      const page = await openCard(browser, server, way, way.t ? `#t=${way.t}` : '');
      try {
        const [width, height] = way.portrait ? [240, 400] : [400, 240];
        const [frame, drawnFrame] = [posterTime, way.t ?? posterTime].map((t) => frameRgb(t, way.portrait ? ['--portrait'] : []));
        await page.waitForFunction(() => performance.getEntriesByType('resource').some((e) => /\/card(-upright)?\.png$/.test(e.name)));
        if (await page.evaluate(() => performance.getEntriesByName('first-frame').length > 0)) wrong.push(`${way.name}: the engine drew before its data arrived`);
        const poster = await compareShown(page, frame, width, height);
        if (poster) wrong.push(`${way.name}, the poster: ${poster}`);
        server.release();
        await page.evaluate(() => vantrelleTest.ready);
        const engine = await compareShown(page, drawnFrame, width, height);
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
        const total = await page.evaluate(() => vantrelleTest.layoutShift());
        shifts.push(`${way.name} ${total?.toFixed(4)}`);
        if (total === null || total > kMaxShift) wrong.push(`${way.name}: the layout shifted ${total} in all`);
      } finally {
        await page.close();
        server.close();
      }
    }
    if (wrong.length) throw new Error(wrong.join('; '));
    return `upright, turned under a strict CSP, and linked to 44.5 s: the poster before the data, then the engine's frame, both exact; ` +
      `title, length, play, notice; layout shift ${shifts.join(', ')}`;
  },

  // A data set dropped on the page: the card shows its own frame at the poster's moment.
  async ownData({ browser }) {
    return withScratch(async (own) => {
      const server = await serve(site, { '/own/': own });
      const page = await openCard(browser, server, ways[0]);
      try {
        copyData(bin, own);
        // The planet's texture and the map's swapped: a data set as valid, with another planet.
        cpSync(path.join(bin, 'gfx/planetmap.raw'), path.join(own, 'gfx/planet.raw'));
        cpSync(path.join(bin, 'gfx/planet.raw'), path.join(own, 'gfx/planetmap.raw'));
        const frame = frameRgb(posterTime, ['--portrait', '--data', own]);
        if (frame.equals(frameRgb(posterTime, ['--portrait']))) throw new Error('the swapped data set draws the same frame');
        await page.evaluate(() => vantrelleTest.ready);
        await drop(page, 'own/', dataFiles(own));
        const wrong = await compareShown(page, frame, 240, 400);
        if (wrong) throw new Error(`the dropped data set's card: ${wrong}`);
      } finally {
        await page.close();
        server.close();
      }
      return `a dropped data set: its own frame at ${posterTime} ms on the card`;
    });
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

process.exit(await runSuite('title card', tests));
