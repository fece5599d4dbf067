// Shared by the browser tests: a static server for the site (and for data
// folders made by a test), Debian's headless Chromium, and the native oracle.
import { execFile, execFileSync } from 'node:child_process';
import { createReadStream, existsSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const types = { '.html': 'text/html', '.js': 'text/javascript', '.mjs': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.png': 'image/png', '.mp3': 'audio/mpeg' };

// Serves `root` at /; `extra` maps a URL prefix such as '/bad/' to another folder.
export async function serve(root, extra = {}) {
  const server = createServer((request, response) => {
    const url = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const prefix = Object.keys(extra).find((p) => url.startsWith(p));
    let file = prefix ? path.join(extra[prefix], url.slice(prefix.length)) : path.join(root, url);
    if (existsSync(file) && statSync(file).isDirectory()) file = path.join(file, 'index.html');
    if (!existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream' });
    createReadStream(file).pipe(response);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() };
}

const browsers = ['/usr/bin/chromium-headless-shell', '/usr/lib/chromium/chromium-headless-shell', '/usr/bin/chromium'];

export async function launch() {
  const executablePath = browsers.find(existsSync);
  if (!executablePath) throw new Error('no Chromium: install chromium-headless-shell (bash scripts/setup.sh web)');
  const profile = mkdtempSync(path.join(tmpdir(), 'vantrelle-chromium-'));
  const browser = await puppeteer.launch({
    executablePath,
    headless: 'shell',
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--autoplay-policy=no-user-gesture-required', `--user-data-dir=${profile}`],
  });
  browser.on('disconnected', () => rmSync(profile, { recursive: true, force: true }));
  return browser;
}

// Opens the page at `address` and waits for its test hook; the page's errors are reported.
export async function open(browser, address, viewport = { width: 800, height: 600 }) {
  const page = await browser.newPage();
  await page.setViewport({ ...viewport, deviceScaleFactor: 1 });
  page.on('pageerror', (error) => console.error(`page error: ${error.message}`));
  await page.goto(address);
  await page.waitForFunction(() => window.vantrelleTest !== undefined);
  return page;
}

// What the native program writes; `args` as for vantrelle-render.
export function render(bin, args) {
  return execFileSync(path.join(bin, 'vantrelle-render'), [...args, '--quiet'], { maxBuffer: 1 << 26, stdio: 'pipe' });
}

// The frame for each time alone, as `vantrelle-render --times t --raw` writes it, two at a time.
export async function renderAll(bin, times) {
  const frames = new Array(times.length);
  let next = 0;
  const worker = async () => {
    for (let i; (i = next++) < times.length;) {
      frames[i] = await new Promise((resolve, reject) => execFile(path.join(bin, 'vantrelle-render'),
        ['--times', String(times[i]), '--raw', '-', '--quiet'], { encoding: 'buffer', maxBuffer: 1 << 20 },
        (error, stdout) => (error ? reject(error) : resolve(stdout))));
    }
  };
  await Promise.all([worker(), worker()]);
  return frames;
}
