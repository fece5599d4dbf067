// WebKit for the page tests: Debian's MiniBrowser, driven by WebKitWebDriver
// over plain WebDriver HTTP, on a virtual X server of its own. Its settings
// and caches go to a scratch home, removed once everything has exited.
import { execFileSync, spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import path from 'node:path';

// WebDriver's codes for the keys the tests press.
const keys = { ArrowLeft: '\uE012', ArrowRight: '\uE014', Escape: '\uE00C', Enter: '\uE007', Home: '\uE011' };

// The MiniBrowser that WebKitGTK installs, wherever its multiarch folder is.
function miniBrowser() {
  let files = '';
  try {
    files = execFileSync('dpkg', ['-L', 'libwebkit2gtk-4.1-0'], { encoding: 'utf8' });
  } catch {
    // not installed: said below
  }
  const binary = files.split('\n').find((file) => file.endsWith('/MiniBrowser'));
  if (!binary) throw new Error('no MiniBrowser: install webkit2gtk-driver (bash scripts/setup.sh browsers)');
  return binary;
}

// A port the system has just handed out and taken back (WebKitWebDriver
// cannot be asked to choose one itself).
function freePort() {
  return new Promise((resolve, reject) => {
    const server = createServer().once('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// Starts Xvfb on the first free display; it names the display on a pipe.
function startXvfb() {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  return new Promise((resolve, reject) => {
    let text = '';
    xvfb.once('error', reject);
    xvfb.once('exit', () => reject(new Error('Xvfb ended before naming its display')));
    xvfb.stdio[3].on('data', (chunk) => {
      text += chunk;
      if (text.includes('\n')) resolve({ xvfb, display: `:${text.trim()}` });
    });
  });
}

// The browser behind the harness's interface; `exited(child)` resolves once
// `child` has exited, `removeWhenExited(child, folder)` clears the scratch
// home once the last process is gone.
export async function startWebKit({ exited, removeWhenExited }) {
  const binary = miniBrowser();
  const home = mkdtempSync(path.join(tmpdir(), 'vantrelle-webkit-'));
  const { xvfb, display } = await startXvfb();
  const env = { ...process.env, DISPLAY: display, HOME: home, XDG_CACHE_HOME: path.join(home, 'cache'),
    XDG_CONFIG_HOME: path.join(home, 'config'), XDG_DATA_HOME: path.join(home, 'data') };
  let driver;
  let base;
  // The driver leads a process group of its own, with the MiniBrowser it starts:
  // ending the group ends the browser too, also when this program stops early.
  const endDriver = () => {
    try {
      if (driver?.exitCode === null && driver.signalCode === null) process.kill(-driver.pid);
    } catch {
      // already gone
    }
  };
  const endAll = () => {
    endDriver();
    xvfb.kill();
  };
  const atExit = () => {
    endAll();
    rmSync(home, { recursive: true, force: true, maxRetries: 20, retryDelay: 50 });
  };
  process.once('exit', atExit);
  const stop = async () => {
    endAll();
    process.off('exit', atExit);
    await Promise.all([driver && exited(driver), exited(xvfb)]);
    await removeWhenExited(xvfb, home);
  };
  try {
    // Another process may take the port between asking and listening: then try again.
    for (let attempt = 0; attempt < 5 && !base; ++attempt) {
      const port = await freePort();
      driver = spawn('WebKitWebDriver', [`--port=${port}`], { env, stdio: 'ignore', detached: true });
      for (let wait = 0; wait < 100 && driver.exitCode === null && !base; ++wait) {
        const ready = await fetch(`http://127.0.0.1:${port}/status`).then((r) => r.json(), () => null);
        if (ready?.value?.ready) base = `http://127.0.0.1:${port}`;
        else await new Promise((resolve) => setTimeout(resolve, 100));
      }
      if (!base) {
        endDriver();
        await exited(driver);
      }
    }
    if (!base) throw new Error('WebKitWebDriver did not start');
    const call = async (method, route, body) => {
      const response = await fetch(`${base}${route}`, {
        method, headers: { 'Content-Type': 'application/json' }, body: body && JSON.stringify(body) });
      const { value } = await response.json();
      if (!response.ok) throw new Error(`WebDriver ${route}: ${value?.message ?? response.status}`);
      return value;
    };
    const { sessionId } = await call('POST', '/session', { capabilities: { alwaysMatch: {
      browserName: 'MiniBrowser', 'webkitgtk:browserOptions': { binary, args: ['--automation'] } } } });
    const session = (route = '') => `/session/${sessionId}${route}`;
    await call('POST', session('/timeouts'), { script: 600000, pageLoad: 60000 });

    // WebDriver talks to one window at a time: each page makes its own current
    // first. Each page has a window of its own: a hidden tab takes no input.
    let current = await call('GET', session('/window'));
    let unused = current;  // the session's first window, until the first page takes it
    const use = async (handle) => {
      if (handle !== current) await call('POST', session('/window'), { handle });
      current = handle;
    };
    const evaluate = (fn, ...args) => call('POST', session('/execute/async'), {
      script: `const done = arguments[arguments.length - 1];
        Promise.resolve().then(() => (${fn})(...Array.prototype.slice.call(arguments, 0, -1)))
          .then((value) => done({ value }), (error) => done({ error: String(error?.message ?? error) }));`,
      args,
    }).then((result) => {
      if ('error' in result) throw new Error(result.error);
      return result.value ?? undefined;
    });
    const act = (actions) => call('POST', session('/actions'), { actions });

    return {
      async open(address, { width = 800, height = 600 } = {}) {
        // A new window is asked of an open one: after a close there may be no current one.
        if (!unused && current === null) await use((await call('GET', session('/window/handles')))[0]);
        const handle = unused ?? (await call('POST', session('/window/new'), { type: 'window' })).handle;
        unused = null;
        await use(handle);
        await call('POST', session('/window/rect'), { width, height });
        await call('POST', session('/url'), { url: address });
        await evaluate(() => new Promise((resolve) => {
          const wait = () => (window.vantrelleTest !== undefined ? resolve() : setTimeout(wait, 50));
          wait();
        }));
        return {
          evaluate: async (fn, ...args) => (await use(handle), evaluate(fn, ...args)),
          click: async (x, y) => (await use(handle), act([{ type: 'pointer', id: 'mouse',
            parameters: { pointerType: 'mouse' }, actions: [{ type: 'pointerMove', x, y, origin: 'viewport' },
              { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }] }])),
          press: async (key) => (await use(handle), act([{ type: 'key', id: 'keyboard',
            actions: [{ type: 'keyDown', value: keys[key] ?? key }, { type: 'keyUp', value: keys[key] ?? key }] }])),
          screenshot: async () => (await use(handle), call('GET', session('/screenshot'))),
          async close() {
            await use(handle);
            // The session ends with its last window: that one is kept, blank, for the next page.
            if ((await call('GET', session('/window/handles'))).length > 1) {
              await call('DELETE', session('/window'));
              current = null;
            } else {
              await call('POST', session('/url'), { url: 'about:blank' });
              unused = handle;
            }
          },
        };
      },
      async close() {
        await call('DELETE', session()).catch(() => {});
        await stop();
      },
      folder: home,
    };
  } catch (error) {
    await stop();
    throw error;
  }
}
