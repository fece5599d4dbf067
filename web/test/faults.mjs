// The page against what goes wrong: engine files missing, ?data= it cannot
// use, broken data packs and zipped engines, Save clip pressed twice early, and its offline copy
// across new builds, servers that unzip, a strict CSP, browsers without
// DecompressionStream and small storage quotas; in Debian's headless Chromium.
import { cpSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { gunzipSync, gzipSync } from 'node:zlib';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { bin, frameShas, nativeShas, render, runSuite, serve, sha, site, strictCsp, withScratch } from './harness.mjs';
import { entries, packOf } from './pack_format.mjs';


// A copy of the site, served (with serve()'s `options`) for `use(server, folder)`.
const withCopy = (use, options = {}) => withScratch((folder) => {
  cpSync(site, folder, { recursive: true });
  return onServer(folder, {}, options, (server) => use(server, folder));
});

// `use(page)` on a page in its own browser context (its own service worker
// and caches), closed however it ends; its console warnings and errors are
// collected in `page.said`.
async function onFreshPage(browser, use) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  page.said = [];
  page.on('console', (message) => ['warn', 'error'].includes(message.type()) && page.said.push(`${message.type()}: ${message.text()}`));
  page.on('pageerror', (error) => page.said.push(`pageerror: ${error.message}`));
  try {
    return await use(page);
  } finally {
    await context.close();
  }
}

// serve()'s server for `use(server)`, closed however it ends.
async function onServer(root, extra, options, use) {
  const server = await serve(root, extra, options);
  try {
    return await use(server);
  } finally {
    server.close();
  }
}

async function visit(page, address) {
  if (address) await page.goto(address);
  else await page.reload();
  await page.waitForFunction(() => window.vantrelleTest !== undefined, { timeout: 60000 });
  await page.evaluate(() => vantrelleTest.ready);
}

// Resolves to what vantrelleTest.offline() gave, or 'no answer' after `ms`.
const offlineAnswer = (page, ms = 30000) => page.evaluate((ms) => Promise.race([vantrelleTest.offline(),
  new Promise((resolve) => { setTimeout(() => resolve('no answer'), ms); })]), ms);

const tests = {
  // Without its engine the page says which file failed instead of "Loading…"
  // forever; for a ?data= it cannot read from, that there is nothing to play,
  // and why (each kind of refusal has its unit test; here, that the card says one).
  async cannotPlay({ browser }) {
    const gone = path.join(tmpdir(), 'vantrelle-faults-nothing-here');
    // [name, files gone from the server, query, caption, message]
    const cases = [
      ['without the engine module', ['vantrelle.mjs', 'vantrelle.mjs.gz'], '', /cannot play/i, /vantrelle\.mjs/],
      ['without its WebAssembly', ['vantrelle.wasm', 'vantrelle.wasm.gz'], '', /cannot play/i, /vantrelle\.wasm/],
      ['?data= empty', [], '?test&data=', /^No data to play$/, /names no folder/],
    ];
    const wrong = [];
    for (const [name, files, query, caption, message] of cases) {
      await onServer(site, Object.fromEntries(files.map((file) => [`/${file}`, gone])), {}, (server) => onFreshPage(browser, async (page) => {
        await page.goto(`${server.url}${query}`);
        // The card's caption and the message under it, once the caption has left "Loading…".
        await page.waitForFunction(() => document.getElementById('caption').textContent !== 'Loading…', { timeout: 30000 }).catch(() => {});
        const card = await page.evaluate(() => ({ caption: document.getElementById('caption').textContent,
          message: document.getElementById('message').textContent }));
        if (!caption.test(card.caption) || !message.test(card.message)) wrong.push(`${name}: "${card.caption}", "${card.message}"`);
      }));
    }
    if (wrong.length) throw new Error(wrong.join('; '));
    return `${cases.length} cases: without the engine module or its WebAssembly the card names the file; ?data= refused with its message`;
  },

  // A pack or a zipped engine unfit to use gives way to the plain files, the
  // frame exact and the reason on the console as a warning, never an error;
  // a pack a server unzipped on the way serves as it is.
  async brokenFiles({ browser }) {
    const [pack, engine] = ['data.pack', 'vantrelle.wasm.gz'].map((file) => readFileSync(path.join(site, file)));
    const list = entries(gunzipSync(pack));
    const palette = list.findIndex(({ name }) => name.endsWith('.pal'));
    const cut = (bytes) => bytes.subarray(0, bytes.length >> 1);
    // [name, the file served in its place, whether the plain files then serve]. The unit
    // tests check each way unpack() refuses a pack; one of them does here.
    const cases = [
      ['a pack cut short', 'data.pack', cut(pack), true],
      ['a pack unzipped on the way', 'data.pack', gunzipSync(pack), false],
      ['a pack of 0 bytes', 'data.pack', Buffer.alloc(0), true],
      ['a pack missing a file', 'data.pack', gzipSync(packOf(list.slice(1))), true],
      // Whole as a pack: the engine refuses the palette.
      ['a pack holding a file a byte short', 'data.pack', gzipSync(packOf(list.map((e, i) => (i === palette ? { ...e, stored: e.stored.subarray(1) } : e)))), true],
      ['a zipped engine cut short', 'vantrelle.wasm.gz', cut(engine), true],
      ['a zipped engine unzipped on the way', 'vantrelle.wasm.gz', gunzipSync(engine), true],
    ];
    const expected = sha(render(bin, ['--times', '44500', '--raw', '-']));
    const wrong = [];
    await withScratch(async (scratch) => {
      for (const [name, file, bytes, fallback] of cases) {
        const served = path.join(scratch, name.replaceAll(' ', '-'));
        writeFileSync(served, bytes);
        await onServer(site, { [`/${file}`]: served }, {}, (server) => onFreshPage(browser, async (page) => {
          const loaded = await visit(page, `${server.url}?test`).then(() => true, (error) => page.said.push(`not ready: ${error.message ?? error}`) && false);
          const exact = loaded && (await frameShas(page, [44500]))[0] === expected;
          // The page's downloads and its engine's (in its worker, where it runs there).
          const plain = await page.evaluate(async (file) => [...performance.getEntriesByType('resource'), ...await vantrelleTest.engineDownloads()]
            .some((e) => (file === 'data.pack' ? e.name.includes('/data/gfx/') : e.name.endsWith('/vantrelle.wasm'))), file);
          const warned = page.said.some((line) => line.startsWith(`warn: ${file}`));
          const errors = page.said.filter((line) => !line.startsWith('warn'));
          if (!exact || plain !== fallback || warned !== fallback || errors.length) {
            wrong.push(`${name}: frame ${exact ? 'exact' : 'wrong'}, plain files ${plain}, console: ${page.said.join(' | ') || 'nothing'}`);
          }
        }));
      }
    });
    if (wrong.length) throw new Error(wrong.join('; '));
    return `${cases.length} broken packs and zipped engines: the plain files serve with a warning, an unzipped pack as it is; every frame exact`;
  },

  // Save clip pressed again while the soundtrack is still downloading cancels the clip.
  // The server holds the soundtrack back (intercepting the browser's requests would hold up the engine's worker).
  async clipTwiceEarly({ browser }) {
    await onServer(site, {}, { held: (address) => address.endsWith('.mp3') }, (server) => onFreshPage(browser, async (page) => {
      await visit(page, `${server.url}?test`);
      const press = () => page.evaluate(() => document.getElementById('save-clip').click());
      await press();
      await press();
      const cancelled = await page.waitForFunction(() => document.getElementById('message').textContent === 'Clip cancelled.',
        { timeout: 20000 }).then(() => true, () => false);
      const early = await page.evaluate(() => document.getElementById('save-clip').getAttribute('aria-pressed'));
      server.release();
      await page.evaluate(() => vantrelleTest.wholeSoundtrack());
      await page.evaluate(() => new Promise((resolve) => { requestAnimationFrame(() => requestAnimationFrame(resolve)); }));
      const after = await page.evaluate(() => [document.getElementById('message').textContent,
        document.getElementById('save-clip').getAttribute('aria-pressed')]);
      if (!cancelled || early !== 'false' || after[0] !== 'Clip cancelled.' || after[1] !== 'false') {
        throw new Error(`pressed twice before the soundtrack: cancelled ${cancelled}, pressed ${early}; once it came: "${after[0]}", pressed ${after[1]}`);
      }
    }));
    return 'Save clip pressed twice while the soundtrack downloads cancels at once, and no clip starts once it arrives';
  },

  // Build A kept; build B (a data file changed, a new version, its zipped
  // engine missing) visited three times; then offline: B's page draws B's
  // frames, and only B's cache is left.
  async newBuild({ browser }) {
    return withCopy((server, folder) => onFreshPage(browser, async (page) => {
      await visit(page, `${server.url}?test`);
      if ((await offlineAnswer(page)) !== true) throw new Error('build A was not kept');
      // Build B.
      const list = entries(gunzipSync(readFileSync(path.join(folder, 'data.pack'))));
      // The star sky shows at 44.5 s and at the end.
      const stars = list.find(({ name }) => name === 'gfx/starsky.raw');
      const changed = Buffer.from(stars.stored.map((byte) => byte ^ 0x5a));
      writeFileSync(path.join(folder, 'data', stars.name), changed);
      writeFileSync(path.join(folder, 'data.pack'), gzipSync(packOf(list.map((e) => (e === stars ? { ...e, stored: changed } : e)))));
      rmSync(path.join(folder, 'vantrelle.wasm.gz'));
      const version = /^const version = '(.*)';$/m.exec(readFileSync(path.join(folder, 'sw.js'), 'utf8'))[1];
      for (const file of ['sw.js', 'build.js']) {
        const text = readFileSync(path.join(folder, file), 'utf8');
        writeFileSync(path.join(folder, file), text.replaceAll(`'${version}'`, `'${version}b'`));
      }
      const times = [0, 44500, 125000, 251000];
      const [a, b] = [await nativeShas(bin, times), await nativeShas(bin, times, ['--data', path.join(folder, 'data')])];
      if (times.every((t, i) => a[i] === b[i])) throw new Error(`changing ${stars.name} changes none of the frames`);
      for (let visits = 0; visits < 3; ++visits) {
        await visit(page);
        await offlineAnswer(page);
        // The new build's worker has installed before the next visit, as it would between a person's visits.
        await page.waitForFunction(async (want) => (await caches.has(want)) &&
          !(await navigator.serviceWorker.getRegistration())?.installing && !(await navigator.serviceWorker.getRegistration())?.waiting,
        { timeout: 20000 }, `vantrelle-${version}b`);
      }
      // The server goes down rather than the browser offline: Chromium refuses offline emulation once a worker runs (here, the one making build B's flash map).
      server.down();
      await visit(page);
      const drawn = await frameShas(page, times);
      const wrong = times.filter((t, i) => drawn[i] !== b[i]);
      const kept = (await page.evaluate(() => caches.keys())).filter((name) => name.startsWith('vantrelle-'));
      if (wrong.length || kept.join() !== `vantrelle-${version}b`) {
        throw new Error(`offline after build B: frames at ${wrong.join(', ') || 'none'} ms not B's; caches ${kept.join(', ')}`);
      }
      return 'a new build with a changed data file and no zipped engine plays its own frames offline; the old cache went once it was complete';
    }));
  },

  // One visit, then no network, whatever the server or browser did: "kept"
  // means the reloaded page takes every file from its service worker and
  // plays the same frames, with sound.
  async keptWhatWasUsed({ browser }) {
    const cases = [
      ['served plainly', {}],
      ['zipped files served with Content-Encoding: gzip', { headers: (url) => (/\.gz$|\.pack$/.test(url) ? { 'Content-Encoding': 'gzip' } : {}) }],
      ['a strict CSP', { headers: () => ({ 'Content-Security-Policy': strictCsp }) }],
      ['no DecompressionStream', {}, () => { delete window.DecompressionStream; }],
    ];
    const times = [0, 44500, 125000, 251000];
    const expected = await nativeShas(bin, times);
    const wrong = [];
    for (const [name, options, before] of cases) {
      await withCopy((server) => onFreshPage(browser, async (page) => {
        if (before) await page.evaluateOnNewDocument(before);
        await visit(page, `${server.url}?test`);
        const kept = await offlineAnswer(page);
        // The server goes down rather than the browser offline: Chromium refuses offline emulation once a worker runs (the engine's).
        server.down();
        const fromWorker = [];
        page.on('response', (response) => fromWorker.push(response.fromServiceWorker()));
        const played = await visit(page).then(async () => (await frameShas(page, times)).every((hash, i) => hash === expected[i]), () => false);
        await page.mouse.click(400, 300);
        const heard = await page.waitForFunction(() => vantrelleTest.clock().sound !== null, { timeout: 30000 }).then(() => true, () => false);
        const elsewhere = fromWorker.filter((worker) => !worker).length;
        if (kept !== true || !played || !heard || elsewhere || !fromWorker.length) {
          wrong.push(`${name}: kept ${kept}; offline ${fromWorker.length - elsewhere} files from the service worker, ${elsewhere} from elsewhere, ` +
            `the frames ${played ? 'exact' : 'missing or wrong'}, sound ${heard}`);
        }
      }), options);
    }
    if (wrong.length) throw new Error(wrong.join('; '));
    return `${cases.length} ways of serving the page: each says kept and plays offline from its service worker, ${times.length} frames exact, with sound`;
  },

  // A quota too small for the show, or even for the page's own files: "not kept" at once, and the show plays.
  async smallQuota({ browser, url }) {
    const wrong = [];
    for (const quota of [1.5e6, 1e4]) {
      await onFreshPage(browser, async (page) => {
      const session = await page.createCDPSession();
      await session.send('Storage.overrideQuotaForOrigin', { origin: new URL(url).origin, quotaSize: quota });
      await visit(page, `${url}?test`);
      const kept = await offlineAnswer(page);
      await page.evaluate(() => document.getElementById('play').click());
      const playing = await page.waitForFunction(() => vantrelleTest.state().playing, { timeout: 20000 }).then(() => true, () => false);
      if (kept !== false || !playing) wrong.push(`with ${quota / 1e6} MB of quota: kept ${kept}, playing ${playing}`);
      });
    }
    if (wrong.length) throw new Error(wrong.join('; '));
    return 'with 1.5 MB or 10 KB of quota the page reports not kept and plays';
  },
};

process.exit(await runSuite('faults', tests));
