// Shared by the browser tests: a static server for the site (and for data
// folders made by a test), Debian's browsers, and the native oracle.
import { execFile, execFileSync, spawn } from 'node:child_process';
import { createHash } from 'node:crypto';
import { cpSync, createReadStream, existsSync, mkdirSync, mkdtempSync, readdirSync, readFileSync, rmSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import { startWebKit } from './webkit.mjs';

// A suite's command line: node NAME.mjs SITE BIN [TEST...], SITE being
// build-web/site and BIN the native build's bin/ (vantrelle-render and the
// data set), all tests when none is named. Each test prints one line, and any
// failure ends with status 1.
export const [site, bin] = process.argv.slice(2, 4).map((p) => path.resolve(p));
export const chosen = process.argv.slice(4);

const types = { '.html': 'text/html', '.js': 'text/javascript', '.mjs': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.png': 'image/png', '.mp3': 'audio/mpeg' };

// Serves `root` at /; `extra` maps a URL prefix such as '/bad/' to another
// folder or file (one that does not exist gives 404); `headers(path)` adds
// headers to a response; a path that `held(path)` picks is answered only
// once release() is called.
export async function serve(root, extra = {}, { headers = () => ({}), held = () => false } = {}) {
  let down = false;
  let released = false;
  const waiting = [];
  const server = createServer(async (request, response) => {
    if (down) {
      request.socket.destroy();
      return;
    }
    const url = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    if (!released && held(url)) await new Promise((resolve) => waiting.push(resolve));
    const prefix = Object.keys(extra).find((p) => url.startsWith(p));
    let file = prefix ? path.join(extra[prefix], url.slice(prefix.length)) : path.join(root, url);
    if (existsSync(file) && statSync(file).isDirectory()) file = path.join(file, 'index.html');
    if (!existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream', ...headers(url) });
    createReadStream(file).pipe(response);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  // down(): every request fails as it would with the network gone, the
  // service worker's own fetches too (a page's offline mode leaves those);
  // up() serves again.
  const release = () => {
    released = true;
    waiting.splice(0).forEach((resolve) => resolve());
  };
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close(), down: () => { down = true; },
    up: () => { down = false; }, release };
}

// A strict Content-Security-Policy, as a careful host serves the site: nothing inline, nothing from elsewhere.
export const strictCsp = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'";

const browsers = ['/usr/bin/chromium-headless-shell', '/usr/lib/chromium/chromium-headless-shell', '/usr/bin/chromium'];

// Resolves once `child` has exited.
function exitOf(child) {
  return new Promise((resolve) => {
    if (child.exitCode !== null || child.signalCode !== null) resolve();
    else child.once('exit', resolve);
  });
}

// A browser's scratch folder goes only once its process has exited: a browser
// still shutting down writes into its profile, and removing the folder under
// it fails with ENOTEMPTY. The retries cover helpers that outlive it briefly.
function removeWhenExited(child, folder) {
  return exitOf(child).then(() => rmSync(folder, { recursive: true, force: true, maxRetries: 20, retryDelay: 50 }));
}

// Puppeteer's browser, closed only once its profile is gone. `options(profile,
// helpers)` gives the launch options and may start processes the browser
// needs into `helpers`: they are ended after the browser.
async function launchWithProfile(name, options) {
  const profile = mkdtempSync(path.join(tmpdir(), `vantrelle-${name}-`));
  const helpers = [];
  let browser;
  // Stopped early: everything ends at once, then its folder goes.
  const atExit = () => {
    [browser?.process(), ...helpers].forEach((child) => child?.kill('SIGKILL'));
    rmSync(profile, { recursive: true, force: true, maxRetries: 20, retryDelay: 50 });
  };
  process.once('exit', atExit);
  const endHelpers = () => Promise.all(helpers.map((child) => (child.kill(), exitOf(child))));
  try {
    browser = await puppeteer.launch(await options(profile, helpers));
  } catch (error) {
    process.off('exit', atExit);
    await endHelpers();
    rmSync(profile, { recursive: true, force: true, maxRetries: 20, retryDelay: 50 });
    throw error;
  }
  const removed = exitOf(browser.process()).then(endHelpers).then(() => removeWhenExited(browser.process(), profile))
    .finally(() => process.off('exit', atExit));
  const close = browser.close.bind(browser);
  browser.close = () => close().then(() => removed);
  browser.profile = profile;
  return browser;
}

export async function launch() {
  const executablePath = browsers.find(existsSync);
  if (!executablePath) throw new Error('no Chromium: install chromium-headless-shell (bash scripts/setup.sh web)');
  return launchWithProfile('chromium', (profile) => ({
    executablePath,
    headless: 'shell',
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--autoplay-policy=no-user-gesture-required', `--user-data-dir=${profile}`],
  }));
}

// Opens the page at `address` on `viewport` (at its deviceScaleFactor, else 1)
// and waits for its test hook (and, with `ready`, for the show to be loaded).
// `before` (a function, or [function, ...arguments]) runs in the page ahead of
// its own scripts, `setUp(page)` before it loads; `fresh` gives it a browser
// context of its own (no service worker, cache or storage from other pages),
// closed with it. The page's errors are reported.
export async function open(browser, address, viewport = { width: 800, height: 600 }, { ready = false, before, setUp, fresh = false } = {}) {
  const context = fresh ? await browser.createBrowserContext() : browser;
  const page = await context.newPage();
  if (fresh) {
    const close = page.close.bind(page);
    page.close = () => close().then(() => context.close());
  }
  await page.setViewport({ deviceScaleFactor: 1, ...viewport });
  page.on('pageerror', (error) => console.error(`page error: ${error.message}`));
  if (before) await page.evaluateOnNewDocument(...[before].flat());
  if (setUp) await setUp(page);
  await page.goto(address);
  await page.waitForFunction(() => window.vantrelleTest !== undefined);
  if (ready) await page.evaluate(() => vantrelleTest.ready);
  return page;
}

// A phone held upright, touch only.
export const phone = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };

// open() on a phone (or `viewport`), once the show is loaded.
export const openPhone = (browser, address, { viewport = phone, ...options } = {}) =>
  open(browser, address, viewport, { ...options, ready: true });

// The test hook's state, and its clock with the page's own time of reading;
// `page` a puppeteer page or an engine's.
export const state = (page) => page.evaluate(() => vantrelleTest.state());
export const clock = (page) => page.evaluate(() => ({ ...vantrelleTest.clock(), at: performance.now() }));

// Resolves once the show plays with sound.
export const playingWithSound = (page) => page.waitForFunction(() => vantrelleTest.clock().sound !== null, { timeout: 30000 });

// A touch at the middle of `selector`'s box.
export async function tap(page, selector) {
  const box = await (await page.$(selector)).boundingBox();
  await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
}

// Taps `selector` in the strip until `holds()` (sync or async), three taps at
// most, 1.5 s apart: on a loaded machine the strip can hide between two steps
// (2 s after the last touch; a tap then only shows it), and Chromium can take
// a tap soon after a drag as part of the drag.
export async function tapUntil(page, selector, holds, failure) {
  for (let attempt = 0; attempt < 3; ++attempt) {
    if (!(await page.$('#strip.shown'))) {
      await tap(page, '#screen');
      await page.waitForSelector('#strip.shown');
    }
    await tap(page, selector);
    if (await until(holds, '', 1500).then(() => true, () => false)) return;
  }
  throw new Error(`three taps on ${selector} ${failure}`);
}

// Brings up the control strip with a small mouse move.
export async function showStrip(page) {
  await page.mouse.move(400, 300);
  await page.mouse.move(410, 310);
  await page.waitForSelector('#strip.shown');
}

// The engines the page tests run in, each behind the same few calls:
//   const browser = await startEngine(name);
//   const page = await browser.open(address, { width, height });  // once the test hook is there
//   await page.evaluate(fn, ...args);  // fn's value in the page (awaited), as JSON
//   await page.click(x, y); await page.press(key);  // real input, which counts as a gesture
//   await page.screenshot();  // the viewport as a PNG, in base64
//   await page.close(); await browser.close();  // and browser.folder, its profile, is gone
export const engines = ['chromium', 'firefox', 'webkit'];

export async function startEngine(name) {
  if (name === 'webkit') return startWebKit({ exited: exitOf, removeWhenExited });
  const browser = name === 'firefox' ? await launchFirefox() : await launch();
  return {
    async open(address, viewport) {
      const page = await open(browser, address, viewport);
      return {
        evaluate: (fn, ...args) => page.evaluate(fn, ...args),
        click: (x, y) => page.mouse.click(x, y),
        press: (key) => page.keyboard.press(key),
        screenshot: () => page.screenshot({ encoding: 'base64' }),
        close: () => page.close(),
      };
    },
    close: () => browser.close(),
    folder: browser.profile,
  };
}

// A sound server of its own in `folder`, with one null output that keeps
// time like a sound card: headless Firefox finds no other, and without one it
// plays silent. Returns its socket.
async function startSoundServer(folder, helpers) {
  mkdirSync(folder);
  const socket = path.join(folder, 'socket');
  const server = spawn('pulseaudio', ['-n', '--daemonize=no', '--exit-idle-time=-1', '--disable-shm=yes',
    '--use-pid-file=no', '-L', 'module-null-sink', '-L', `module-native-protocol-unix socket=${socket} auth-anonymous=1`],
  { env: { ...process.env, HOME: folder, XDG_RUNTIME_DIR: folder, XDG_CONFIG_HOME: folder }, stdio: 'ignore' });
  helpers.push(server);
  for (let wait = 0; wait < 200 && !existsSync(socket) && server.exitCode === null; ++wait) {
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  if (!existsSync(socket)) throw new Error('pulseaudio did not start (bash scripts/setup.sh browsers installs it)');
  return socket;
}

// Debian's Firefox ESR over WebDriver BiDi, playing sound without a gesture as
// Chromium does. The profile is its home too, so nothing is written outside it.
async function launchFirefox() {
  const executablePath = ['/usr/bin/firefox-esr', '/usr/lib/firefox-esr/firefox-esr'].find(existsSync);
  if (!executablePath) throw new Error('no Firefox: install firefox-esr (bash scripts/setup.sh browsers)');
  return launchWithProfile('firefox', async (profile, helpers) => ({
    browser: 'firefox',
    executablePath,
    headless: true,
    args: ['--profile', profile],
    env: { ...process.env, HOME: profile, PULSE_SERVER: `unix:${await startSoundServer(path.join(profile, 'sound'), helpers)}` },
    extraPrefsFirefox: { 'media.autoplay.default': 0, 'media.autoplay.blocking_policy': 0 },
  }));
}

// What the native program writes; `args` as for vantrelle-render.
export function render(bin, args) {
  return execFileSync(path.join(bin, 'vantrelle-render'), [...args, '--quiet'], { maxBuffer: 1 << 28, stdio: 'pipe' });
}

export const sha = (bytes) => createHash('sha256').update(bytes).digest('hex');

// The SHA-256 of the native program's frame for each time alone, as
// `vantrelle-render --times t --raw` writes it (with `extra` arguments, such
// as --reduce-flashing), two at a time.
export async function nativeShas(bin, times, extra = []) {
  const shas = new Array(times.length);
  let next = 0;
  const worker = async () => {
    for (let i; (i = next++) < times.length;) {
      shas[i] = sha(await new Promise((resolve, reject) => execFile(path.join(bin, 'vantrelle-render'),
        ['--times', String(times[i]), ...extra, '--raw', '-', '--quiet'], { encoding: 'buffer', maxBuffer: 1 << 20 },
        (error, stdout) => (error ? reject(error) : resolve(stdout)))));
    }
  };
  await Promise.all([worker(), worker()]);
  return shas;
}

// The SHA-256 of the page's frame (vantrelleTest[source](t)) at each of `times`;
// `page` a puppeteer page or an engine's.
export const frameShas = (page, times, source = 'frameAt') => page.evaluate(async (times, source) => {
  const hashes = [];
  for (const t of times) {
    const digest = await crypto.subtle.digest('SHA-256', await vantrelleTest[source](t));
    hashes.push([...new Uint8Array(digest)].map((b) => b.toString(16).padStart(2, '0')).join(''));
  }
  return hashes;
}, times, source);

// The SHA-256 of what vantrelleTest[source](...args) gives in the page: of
// the frame, or of each frame of a list.
export const pageShas = (page, source, ...args) => page.evaluate(async (source, ...args) => {
  const hex = async (bytes) => [...new Uint8Array(await crypto.subtle.digest('SHA-256', bytes))].map((b) => b.toString(16).padStart(2, '0')).join('');
  const found = await vantrelleTest[source](...args);
  return Array.isArray(found) ? Promise.all(found.map(hex)) : hex(found);
}, source, ...args);

// The [from, to) ms of each stretch of a flash map's text: its `stretch FROM TO SCALE LEVEL` lines.
export const stretchesOf = (text) => text.split('\n').filter((line) => line.startsWith('stretch ')).map((line) => line.split(' ').slice(1, 3).map(Number));

// The show's length in ms.
export const kShowEnd = 251328;

// How far apart the test hook's picture and sound times may be when in step:
// it reads them a moment apart, and the audio clock can step by a render
// quantum (128 samples, 2.9 ms at 44.1 kHz) in between; the picture's time is in whole ms.
export const kInStepMs = 1 + 1000 * 128 / 44100;

// RGB565 little-endian to RGB bytes, each field's top bits repeated into its
// low bits as a PNG writer widens them.
export function widen(raw) {
  const rgb = Buffer.alloc(raw.length / 2 * 3);
  for (let i = 0; i < raw.length / 2; ++i) {
    const p = raw.readUInt16LE(2 * i);
    const [r, g, b] = [p >> 11, (p >> 5) & 63, p & 31];
    rgb.set([(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)], 3 * i);
  }
  return rgb;
}

// A PNG (its bytes or its file) as { width, height, rgb }, read by ffmpeg:
// neither the page nor the render tool.
export function pngRgb(png) {
  const bytes = typeof png === 'string' ? readFileSync(png) : Buffer.from(png);
  const rgb = execFileSync('ffmpeg', ['-v', 'error', '-f', 'png_pipe', '-i', '-', '-f', 'rawvideo', '-pix_fmt', 'rgb24', '-'],
    { input: bytes, maxBuffer: 1 << 26 });
  return { width: bytes.readUInt32BE(16), height: bytes.readUInt32BE(20), rgb };
}

// The render tool's PNG of the moment `t` at ×`scale` (with `extra` arguments), as pngRgb() reads it.
export const renderPng = (bin, t, scale, extra = []) => withScratch((folder) => {
  render(bin, ['--at', String(t), ...extra, '--png', folder, '--scale', String(scale)]);
  return pngRgb(path.join(folder, readdirSync(folder)[0]));
});

// The first channel of a file's sound at `rate`, as ffmpeg decodes it.
export function samplesOf(file, rate) {
  const bytes = execFileSync('ffmpeg', ['-v', 'error', '-i', file, '-vn', '-af', 'pan=mono|c0=c0', '-ar', String(rate), '-f', 'f32le', '-'],
    { maxBuffer: 1 << 28 });
  return new Float32Array(bytes.buffer, bytes.byteOffset, bytes.length / 4);
}

// The shift in samples, within ±`most`, at which `part` best matches `whole`
// from `at` (by normalised correlation), and how well.
export function bestShift(whole, at, part, most) {
  let best = 0, bestScore = -Infinity;
  for (let shift = -most; shift <= most; ++shift) {
    let score = 0, a = 0, b = 0;
    for (let i = 0; i < part.length; ++i) {
      const w = whole[at + shift + i];
      score += w * part[i];
      a += w * w;
      b += part[i] * part[i];
    }
    score /= Math.sqrt(a * b) || 1;
    if (score > bestScore) [best, bestScore] = [shift, score];
  }
  return { shift: best, score: bestScore };
}

// A scratch folder for `use(folder)`, removed however it ends.
export async function withScratch(use) {
  const folder = mkdtempSync(path.join(tmpdir(), 'vantrelle-test-'));
  try {
    return await use(folder);
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

// The data set's `parts` copied from `from` to `to`.
export function copyData(from, to, parts = ['gfx', 'mesh', 'music']) {
  for (const part of parts) cpSync(path.join(from, part), path.join(to, part), { recursive: true });
}

// The files a data set in `dir` is dropped as: 'gfx/NAME' and 'mesh/NAME'.
export const dataFiles = (dir) => ['gfx', 'mesh'].flatMap((part) => readdirSync(path.join(dir, part)).map((name) => `${part}/${name}`));

// Drops `files` (served under `prefix`) on the page as loose files, as a person drops them.
export const drop = (page, prefix, files) => page.evaluate(async (prefix, files) => {
  const dropped = new DataTransfer();
  for (const file of files) dropped.items.add(new File([await (await fetch(prefix + file)).blob()], file.slice(file.lastIndexOf('/') + 1)));
  document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: dropped, bubbles: true, cancelable: true }));
}, prefix, files);

// axe-core's serious and critical findings on the page as it is now.
export async function axeFindings(page) {
  if (!(await page.evaluate(() => Boolean(window.axe)))) {
    await page.addScriptTag({ path: createRequire(import.meta.url).resolve('axe-core/axe.min.js') });
  }
  return page.evaluate(async () => (await window.axe.run(document, { resultTypes: ['violations'] })).violations
    .filter((v) => ['serious', 'critical'].includes(v.impact)).map((v) => `${v.id} (${v.nodes.map((n) => n.target).join(' ')})`));
}

// Runs the chosen tests (all when none is named) in order, one line each
// under LABEL, each given what `context()` returns; resolves to the counts.
// A test whose error matches `retryOn` runs once more after `restart()`, and
// the log says so.
export async function runTests(label, tests, { chosen = [], context, restart, retryOn } = {}) {
  let [passed, failed] = [0, 0];
  for (const [name, test] of chosenOf(tests, chosen)) {
    try {
      let result;
      try {
        result = await test(context());
      } catch (error) {
        if (!retryOn?.test(error.message)) throw error;
        console.log(`${label}: ${name}: the browser's page crashed (${error.message}); once more in a new session`);
        await restart();
        result = await test(context());
      }
      console.log(`${label}: ${name}: ${result}`);
      ++passed;
    } catch (error) {
      ++failed;
      console.log(`${label}: ${name}: FAILED: ${error.message}`);
    }
  }
  return { passed, failed };
}

export function chosenOf(tests, chosen) {
  return Object.entries(tests).filter(([name]) => !chosen.length || chosen.includes(name));
}

// Runs the chosen tests in one headless Chromium against `site`, then
// `LABEL: N passed, M failed`; resolves to the exit status.
// `extra` and `headers` as for serve().
export async function runSuite(label, tests, { extra = {}, headers } = {}) {
  const server = await serve(site, extra, { headers });
  const browser = await launch();
  let counts;
  try {
    counts = await runTests(label, tests, { chosen, context: () => ({ browser, url: server.url }) });
  } finally {
    await browser.close();
    server.close();
  }
  console.log(`${label}: ${counts.passed} passed, ${counts.failed} failed`);
  return counts.failed ? 1 : 0;
}

// Resolves once `holds()` (sync or async) is true, asked every `every` ms;
// after `ms` without, fails with `what` (a string, or a function giving one).
export async function until(holds, what, ms = 10000, every = 50) {
  for (const stop = Date.now() + ms; !(await holds());) {
    if (Date.now() > stop) throw new Error(typeof what === 'function' ? await what() : what);
    await new Promise((resolve) => setTimeout(resolve, every));
  }
}
