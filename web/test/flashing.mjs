// Reduced flashing in the page, in Debian's headless Chromium: the switches,
// the viewer's kept choice against the system's reduced-motion preference,
// and the bar's marks of where the show flashes.
//   node flashing.mjs SITE BIN [TEST...]
// Each test prints one line; any failure ends with status 1.
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { runSuite } from './harness.mjs';

const [site, bin] = process.argv.slice(2, 4).map((p) => path.resolve(p));
const chosen = process.argv.slice(4);
const kShowEnd = 251328;
const kStoreKey = 'vantrelle.reduceFlashing';

// The data set's stretches, [from, to) ms, read from its flash map.
const mapText = readFileSync(path.join(bin, 'flash.map'), 'utf8');
const stretches = mapText.split('\n')
  .filter((line) => line.startsWith('stretch ')).map((line) => line.split(' ').slice(1, 3).map(Number));

// The page with the title card showing, after the system says `motion` and
// this browser keeps `stored` ('on', 'off' or null for nothing kept).
// `flashMap(text)`, when given, answers for flash.map: its text, or null for a 404.
// Such a page has a browser context of its own, so that no offline copy
// of the map is left for the next page; close it with page.close().
async function openWith(browser, url, { motion = 'no-preference', stored = null, hash = '', flashMap } = {}) {
  const context = flashMap ? await browser.createBrowserContext() : browser;
  const page = await context.newPage();
  if (flashMap) {
    const close = page.close.bind(page);
    page.close = () => close().then(() => context.close());
    await page.setRequestInterception(true);
    page.on('request', (request) => {
      if (!request.url().endsWith('/flash.map')) return request.continue();
      const body = flashMap(mapText);
      return request.respond(body === null ? { status: 404, body: '' } : { status: 200, contentType: 'text/plain', body });
    });
  }
  await page.setViewport({ width: 800, height: 600, deviceScaleFactor: 1 });
  page.on('pageerror', (error) => console.error(`page error: ${error.message}`));
  await page.emulateMediaFeatures([{ name: 'prefers-reduced-motion', value: motion }]);
  await page.goto(`${url}?test${hash}`);
  await page.evaluate((key, value) => (value === null ? localStorage.removeItem(key) : localStorage.setItem(key, value)),
    kStoreKey, stored);
  await page.reload();
  await page.waitForFunction(() => window.vantrelleTest !== undefined);
  await page.evaluate(() => vantrelleTest.ready);
  await page.evaluate(() => document.body.classList.remove('testing'));  // the card, as a visitor sees it
  return page;
}

// The mode as the page holds it, as both switches show it, and as kept.
const modeOf = (page) => page.evaluate((key) => ({
  on: vantrelleTest.state().reduceFlashing,
  switches: [...document.querySelectorAll('[role="switch"]')].map((button) => button.getAttribute('aria-checked')),
  stored: localStorage.getItem(key),
}), kStoreKey);

// What the canvas shows, as a hash of its pixels.
const shown = (page) => page.$eval('#screen', async (canvas) => {
  const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
  return [...new Uint8Array(await crypto.subtle.digest('SHA-256', data))].map((b) => b.toString(16).padStart(2, '0')).join('');
});

const tests = {
  // The kept choice wins; with none kept, the system's preference decides.
  async remembered({ browser, url }) {
    const cases = [
      { motion: 'no-preference', stored: null, on: false },
      { motion: 'reduce', stored: null, on: true },
      { motion: 'reduce', stored: 'off', on: false },
      { motion: 'no-preference', stored: 'on', on: true },
    ];
    for (const { motion, stored, on } of cases) {
      const page = await openWith(browser, url, { motion, stored });
      const mode = await modeOf(page);
      await page.close();
      const want = String(on);
      if (mode.on !== on || mode.switches.length !== 2 || mode.switches.some((checked) => checked !== want)) {
        throw new Error(`kept ${stored}, motion ${motion}: on ${mode.on}, switches ${mode.switches}; want ${want}`);
      }
    }
    return `${cases.length} cases: kept choice over the system's preference, the preference when none is kept`;
  },

  // The card's switch, the strip's and R each turn it over, keep the choice,
  // and the card shows the frame reduced; R does not start the show.
  async switches({ browser, url }) {
    const [from, to] = stretches[0];
    const page = await openWith(browser, url, { hash: `#t=${Math.floor((from + to) / 2)}` });
    const exact = await shown(page);
    const steps = [
      ['the card\'s switch', () => page.click('#card-reduce-flashing'), true],
      ['R', () => page.keyboard.press('r'), false],
      ['Shift+R', () => page.keyboard.press('R'), true],
      ['the strip\'s switch', () => page.$eval('#reduce-flashing', (button) => button.click()), false],
    ];
    for (const [name, act, on] of steps) {
      await act();
      const mode = await modeOf(page);
      const picture = await shown(page);
      const want = String(on);
      if (mode.on !== on || mode.switches.some((checked) => checked !== want) || mode.stored !== (on ? 'on' : 'off')) {
        throw new Error(`after ${name}: on ${mode.on}, switches ${mode.switches}, kept ${mode.stored}; want ${want}`);
      }
      if ((picture === exact) === on) throw new Error(`after ${name} the card shows the frame ${on ? 'exact' : 'reduced'}`);
    }
    if ((await page.evaluate(() => vantrelleTest.state().playing))) throw new Error('R started the show');
    await page.close();
    return `${steps.length} presses, each turning the mode over, kept, and shown on the card`;
  },

  // Switches a keyboard reaches, named, 44 px, with a visible focus.
  async reachable({ browser, url }) {
    const page = await openWith(browser, url);
    const found = await page.evaluate(async () => {
      const result = [];
      for (const id of ['card-reduce-flashing', 'reduce-flashing']) {
        const button = document.getElementById(id);
        button.focus();
        const box = button.getBoundingClientRect();
        result.push({ id, focused: document.activeElement === button, name: button.getAttribute('aria-label') ?? button.textContent.trim(),
          size: [box.width, box.height], outline: getComputedStyle(button).outlineStyle });
      }
      return result;
    });
    await page.close();
    for (const { id, focused, name, size, outline } of found) {
      if (!focused || name !== 'Reduce flashing' || size.some((side) => side < 44) || outline === 'none') {
        throw new Error(`#${id}: focused ${focused}, name "${name}", ${size.join(' x ')} px, outline ${outline}`);
      }
    }
    return 'both switches take the focus, are named Reduce flashing, 44 px, with an outline';
  },

  // A map not made from the data played (another fingerprint, or none at
  // all) is not followed: the whole show is reduced, even far from any
  // stretch, and the bar marks nothing.
  async staleMap({ browser, url }) {
    const cases = {
      'made from other data': (text) => text.replace(/^fingerprint (\w+)$/m, (_, hex) => `fingerprint ${hex.slice(0, -1)}${hex.endsWith('0') ? '1' : '0'}`),
      'missing': () => null,
      'the right one': (text) => text,
    };
    const calm = 1000;  // ms: before the first stretch's ramp in this data set
    if (calm >= stretches[0][0] - 250) throw new Error(`the first stretch starts at ${stretches[0][0]} ms`);
    for (const [name, flashMap] of Object.entries(cases)) {
      const page = await openWith(browser, url, { flashMap });
      const [marks, reduced] = await page.evaluate((t) => {
        const same = (a, b) => a.every((byte, i) => byte === b[i]);
        return [document.querySelectorAll('.flash-mark').length, !same(vantrelleTest.frameAt(t), vantrelleTest.reducedFrameAt(t))];
      }, calm);
      await page.close();
      const followed = name === 'the right one';
      if (marks !== (followed ? stretches.length : 0) || reduced === followed) {
        throw new Error(`flash.map ${name}: ${marks} marks, the frame at ${calm} ms ${reduced ? 'reduced' : 'exact'}`);
      }
    }
    return `${Object.keys(cases).length} maps: only the one made from these files is followed, else the whole show is reduced`;
  },

  // The bar marks each stretch of the flash map, where it lies in the show.
  async marks({ browser, url }) {
    const page = await openWith(browser, url);
    const marks = await page.$$eval('.flash-mark', (found) => found.map((mark) => [parseFloat(mark.style.left), parseFloat(mark.style.width)]));
    await page.close();
    if (marks.length !== stretches.length) throw new Error(`${marks.length} marks for ${stretches.length} stretches`);
    stretches.forEach(([from, to], i) => {
      const [left, width] = marks[i];
      if (Math.abs(left - 100 * from / kShowEnd) > 1e-3 || Math.abs(width - 100 * (to - from) / kShowEnd) > 1e-3) {
        throw new Error(`mark ${i} at ${left}% (${width}%), the stretch ${from}-${to} ms`);
      }
    });
    return `${marks.length} marks, one at each stretch`;
  },
};

process.exit(await runSuite('flashing', tests, { site, chosen }));
