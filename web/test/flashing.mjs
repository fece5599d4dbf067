// Reduced flashing in the page, in Debian's headless Chromium: the switches,
// the viewer's kept choice against the system's reduced-motion preference,
// the bar's marks of where the show flashes, the map made in a worker for a
// data set without one, and clips. Served with a strict Content-Security-Policy.
import { execFile } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { bin, copyData, dataFiles, drop, kShowEnd, nativeShas, open, pageShas, render, runSuite, sha, strictCsp, stretchesOf, until } from './harness.mjs';

const kStoreKey = 'vantrelle.reduceFlashing';

// The data set's stretches, [from, to) ms, read from its flash map.
const mapText = readFileSync(path.join(bin, 'flash.map'), 'utf8');
const stretches = stretchesOf(mapText);

// Another data set, made here: the default one with the planet's palette
// turned negative (24 header bytes, then r, g, b, flags per entry), so that
// its 3D scenes light, and flash, otherwise. Served at other/, the default
// one at default/, both dropped on the page as loose files.
const scratch = mkdtempSync(path.join(tmpdir(), 'vantrelle-flashing-'));
process.once('exit', () => rmSync(scratch, { recursive: true, force: true }));
const other = path.join(scratch, 'other');
copyData(bin, other, ['gfx', 'mesh']);
const palette = readFileSync(path.join(other, 'gfx/planet.pal'));
for (let i = 24; i + 3 < palette.length; i += 4) for (let c = i; c < i + 3; ++c) palette[c] = 255 - palette[c];
writeFileSync(path.join(other, 'gfx/planet.pal'), palette);
const files = dataFiles(bin);

// The page with the title card showing, after the system says `motion` and
// this browser keeps `stored` ('on', 'off' or null for nothing kept).
// `flashMap(text)`, when given, answers the page's fetch of flash.map: its
// text, or null for a 404 (in the page: intercepting the browser's requests
// would hold up those of the engine's worker, which no handler sees).
// Such a page has a browser context of its own, so that no offline copy
// of the map is left for the next page.
// `workers`: the page keeps what each Worker was made from in window.madeWorkers.
async function openWith(browser, url, { motion = 'no-preference', stored = null, hash = '', flashMap, workers = false } = {}) {
  const before = (key, value, workers, answersMap, mapBody) => {
    if (value === null) localStorage.removeItem(key);
    else localStorage.setItem(key, value);
    if (answersMap) {
      const fetched = window.fetch;
      window.fetch = (resource, ...rest) => (!String(resource).endsWith('/flash.map') ? fetched(resource, ...rest)
        : Promise.resolve(mapBody === null ? new Response('', { status: 404 }) : new Response(mapBody, { headers: { 'Content-Type': 'text/plain' } })));
    }
    if (!workers) return;
    const Made = window.Worker;
    window.madeWorkers = [];
    window.Worker = class extends Made {
      constructor(address, options) {
        super(address, options);
        window.madeWorkers.push({ address: String(new URL(address, location.href)), type: options?.type ?? 'classic' });
      }
    };
  };
  const page = await open(browser, `${url}?test${hash}`, undefined, { ready: true, fresh: Boolean(flashMap),
    before: [before, kStoreKey, stored, workers, Boolean(flashMap), flashMap ? flashMap(mapText) : null],
    setUp: (page) => page.emulateMediaFeatures([{ name: 'prefers-reduced-motion', value: motion }]) });
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
const shown = (page) => pageShas(page, 'shownPixels');

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
  // and the card shows the frame reduced; R does not start the show. Both
  // switches take the keyboard's focus, with a visible outline, are named, and 44 px.
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
    const found = await page.evaluate(() => ['card-reduce-flashing', 'reduce-flashing'].map((id) => {
      const button = document.getElementById(id);
      button.focus();
      const box = button.getBoundingClientRect();
      return { id, focused: document.activeElement === button, name: button.getAttribute('aria-label') ?? button.textContent.trim(),
        size: [box.width, box.height], outline: getComputedStyle(button).outlineStyle };
    }));
    await page.close();
    for (const { id, focused, name, size, outline } of found) {
      if (!focused || name !== 'Reduce flashing' || size.some((side) => side < 44) || outline === 'none') {
        throw new Error(`#${id}: focused ${focused}, name "${name}", ${size.join(' x ')} px, outline ${outline}`);
      }
    }
    return `${steps.length} presses, each turning the mode over, kept, and shown on the card; both switches reached, named Reduce flashing, 44 px, outlined`;
  },

  // A map not made from the data played (another fingerprint, or none at
  // all) is not followed: the whole show is reduced, even far from any
  // stretch, and the bar marks nothing. The right one is: the bar marks each
  // of its stretches where it lies in the show.
  async staleMap({ browser, url }) {
    const cases = {
      'made from other data': (text) => text.replace(/^fingerprint (\w+)$/m, (_, hex) => `fingerprint ${hex.slice(0, -1)}${hex.endsWith('0') ? '1' : '0'}`),
      'missing': () => null,
      'the right one': (text) => text,
    };
    const calm = 1000;  // ms: before the first stretch's ramp in this data set
    if (calm >= stretches[0][0] - 250) throw new Error(`the first stretch starts at ${stretches[0][0]} ms`);
    // Where a stretch's mark belongs, in % of the bar: its start and its width.
    const places = stretches.map(([from, to]) => [100 * from / kShowEnd, 100 * (to - from) / kShowEnd]);
    for (const [name, flashMap] of Object.entries(cases)) {
      const page = await openWith(browser, url, { flashMap });
      const [marks, reduced] = await page.evaluate(async (t) => {
        const same = (a, b) => a.every((byte, i) => byte === b[i]);
        return [[...document.querySelectorAll('.flash-mark')].map((mark) => [parseFloat(mark.style.left), parseFloat(mark.style.width)]),
          !same(await vantrelleTest.frameAt(t), await vantrelleTest.reducedFrameAt(t))];
      }, calm);
      await page.close();
      const followed = name === 'the right one';
      const misplaced = marks.some((mark, i) => mark.some((value, j) => !(Math.abs(value - places[i]?.[j]) <= 1e-3)));
      if (marks.length !== (followed ? stretches.length : 0) || misplaced || reduced === followed) {
        throw new Error(`flash.map ${name}: marks ${JSON.stringify(marks)}, the frame at ${calm} ms ${reduced ? 'reduced' : 'exact'}`);
      }
    }
    return `${Object.keys(cases).length} maps: only the one made from these files is followed, its ${stretches.length} stretches marked; else the whole show is reduced`;
  },

  // A data set dropped without a map of its own gets its map made in a
  // same-origin module worker while the whole show is reduced; another data
  // set opened meanwhile abandons it. The map made is, byte for byte, the
  // render tool's for the same files, and the frames then reduced are the
  // render tool's with it.
  async madeMap({ browser, url }) {
    const nativeMap = new Promise((resolve, reject) => execFile(path.join(bin, 'vantrelle-render'),
      ['--quiet', '--data', other, '--flash-map', path.join(other, 'flash.map')],
      (error) => (error ? reject(error) : resolve(readFileSync(path.join(other, 'flash.map'), 'utf8')))));
    nativeMap.catch(() => {});  // awaited below
    const page = await openWith(browser, url, { stored: 'on', workers: true });
    const making = () => page.evaluate(() => vantrelleTest.flashMapMaking());
    const calm = 1000;  // ms: before any stretch of either data set
    const dimmed = () => page.evaluate(async (t) => {
      const [exact, reduced] = [await vantrelleTest.frameAt(t), await vantrelleTest.reducedFrameAt(t)];
      return [document.querySelectorAll('.flash-mark').length, exact.some((byte, i) => byte !== reduced[i])];
    }, calm);
    try {
      await drop(page, 'other/', files);
      await until(() => making().then(({ progress }) => progress > 0), 'waited 300 s for the map to be under way', 300000, 1000);
      const [marksWhile, dimmedWhile] = await dimmed();
      if (marksWhile !== 0 || !dimmedWhile) throw new Error(`while the map is made: ${marksWhile} marks, the frame at ${calm} ms ${dimmedWhile ? 'reduced' : 'exact'}`);

      await drop(page, 'default/', [...files, 'flash.map']);
      await page.waitForFunction((count) => document.querySelectorAll('.flash-mark').length === count, {}, stretches.length);
      const left = await making();
      if (left.state !== 'abandoned' || left.started !== 1 || left.abandoned !== 1) throw new Error(`another data set opened: ${JSON.stringify(left)}`);

      await drop(page, 'other/', files);
      await until(() => making().then(({ started, state }) => started === 2 && state !== 'making'), 'waited an hour for the map to be made', 3600000, 1000);
      const made = await making();
      const want = await nativeMap;
      if (made.state !== 'made' || made.map !== want) throw new Error(`the map made (${made.state}):\n${made.map}\nthe render tool's:\n${want}`);
      const madeStretches = stretchesOf(want);
      const [marks, dimmedAfter] = await dimmed();
      if (marks !== madeStretches.length || dimmedAfter) throw new Error(`${marks} marks for ${madeStretches.length} stretches, the frame at ${calm} ms ${dimmedAfter ? 'reduced' : 'exact'}`);

      // The engine's own worker and the pack's download aside.
      const workers = (await page.evaluate(() => window.madeWorkers)).filter(({ address }) => !/\/(engine|pack)-worker\.js(\?|$)/.test(address));
      const origin = new URL(url).origin;
      if (workers.length !== 2 || workers.some(({ address, type }) => new URL(address).origin !== origin || type !== 'module' ||
        !address.endsWith('/flashmap-worker.js'))) throw new Error(`workers made: ${JSON.stringify(workers)}`);

      // Across the first stretch's ramp in, from the exact frame to full strength.
      const from = madeStretches[0][0];
      const times = [from - 400, from - 250, from - 200, from - 125, from - 40, from, from + 300];
      const got = await pageShas(page, 'reducedFramesAt', times);
      const expected = await nativeShas(bin, times, ['--data', other, '--reduce-flashing']);
      const wrong = times.filter((t, i) => got[i] !== expected[i]);
      if (wrong.length) throw new Error(`reduced frames at ${wrong.join(', ')} ms differ from the render tool's`);
      return `a map of ${madeStretches.length} stretches made in ${(made.ms / 1000).toFixed(0)} s in a module worker, the render tool's byte for byte; ` +
        `one abandoned; ${times.length} reduced frames across a ramp exact`;
    } finally {
      await page.close();
    }
  },

  // A clip saved with the mode on hands its encoder the render tool's reduced
  // frames: across the first stretch's ramp, from exact frames to full strength.
  async clipReduced({ browser, url }) {
    const [from] = stretches[0];
    const [a, b] = [from - 400, from + 100];
    const page = await openWith(browser, url, { stored: 'on' });
    const got = await pageShas(page, 'clipFrames', a, b).finally(() => page.close());
    const range = ['--from', String(a), '--to', String(b), '--fps', '60', '--raw', '-'];
    const [reduced, exact] = [render(bin, [...range, '--reduce-flashing']), render(bin, range)];
    const frameBytes = 400 * 240 * 2;
    const count = reduced.length / frameBytes;
    const nth = (bytes, n) => bytes.subarray(n * frameBytes, (n + 1) * frameBytes);
    if (got.length !== count) throw new Error(`${got.length} clip frames, the render tool ${count}`);
    const wrong = got.map((hash, n) => (hash === sha(nth(reduced, n)) ? -1 : n)).filter((n) => n >= 0);
    const left = got.filter((hash, n) => hash === sha(nth(exact, n))).length;
    if (wrong.length) throw new Error(`clip frames ${wrong.join(', ')} differ from the render tool's reduced frames`);
    if (left === 0 || left === count) throw new Error(`${left} of ${count} frames exact: the range does not cross a ramp`);
    return `${count} clip frames from ${a} to ${b} ms, each the render tool's reduced frame (${left} left exact before the ramp)`;
  },
};

process.exit(await runSuite('flashing', tests, {
  extra: { '/other/': other, '/default/': bin }, headers: () => ({ 'Content-Security-Policy': strictCsp }),
}));
