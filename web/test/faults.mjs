// The page against what goes wrong: engine files missing, ?data= it cannot
// use, broken data packs, Save clip pressed twice early, and its offline copy
// across new builds, servers that unzip, a strict CSP, browsers without
// DecompressionStream and small storage quotas; in Debian's headless Chromium:
//   node faults.mjs SITE BIN [TEST...]
// Each test prints one line; any failure ends with status 1.
import { createHash } from 'node:crypto';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { gunzipSync, gzipSync } from 'node:zlib';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { render, renderAll, runSuite, serve, strictCsp } from './harness.mjs';
import { entries, packOf } from './pack_format.mjs';

const [site, bin] = process.argv.slice(2, 4).map((p) => path.resolve(p));
const chosen = process.argv.slice(4);
const sha = (bytes) => createHash('sha256').update(bytes).digest('hex');

// A copy of the site that `edit(folder)` may change, served for `use(server, folder)`.
async function withCopy(edit, use, options = {}) {
  const folder = mkdtempSync(path.join(tmpdir(), 'vantrelle-faults-'));
  cpSync(site, folder, { recursive: true });
  await edit(folder);
  const server = await serve(folder, options.extra, options);
  try {
    return await use(server, folder);
  } finally {
    server.close();
    rmSync(folder, { recursive: true, force: true });
  }
}

// A page in its own browser context (its own service worker and caches) whose
// console warnings and errors are collected in `page.said`.
async function freshPage(browser) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  page.said = [];
  page.on('console', (message) => ['warn', 'error'].includes(message.type()) && page.said.push(`${message.type()}: ${message.text()}`));
  page.on('pageerror', (error) => page.said.push(`pageerror: ${error.message}`));
  page.done = () => context.close();
  return page;
}

async function visit(page, address) {
  if (address) await page.goto(address);
  else await page.reload();
  await page.waitForFunction(() => window.vantrelleTest !== undefined, { timeout: 60000 });
  await page.evaluate(() => vantrelleTest.ready);
}

// The card's caption and the message under it, once the caption has left "Loading…".
async function settledCard(page) {
  await page.waitForFunction(() => document.getElementById('caption').textContent !== 'Loading…', { timeout: 30000 })
    .catch(() => {});
  return page.evaluate(() => ({ caption: document.getElementById('caption').textContent,
    message: document.getElementById('message').textContent }));
}

const frameSha = async (page, t) => sha(Buffer.from(await page.evaluate(async (t) => Array.from(await vantrelleTest.frameAt(t)), t)));
const plainFilesUsed = (page) => page.evaluate(() => performance.getEntriesByType('resource').some((e) => e.name.includes('/data/gfx/')));
// Resolves to what vantrelleTest.offline() gave, or 'no answer' after `ms`.
const offlineAnswer = (page, ms = 30000) => page.evaluate((ms) => Promise.race([vantrelleTest.offline(),
  new Promise((resolve) => { setTimeout(() => resolve('no answer'), ms); })]), ms);

const tests = {
  // Without its engine the page says which file failed instead of "Loading…" forever.
  async engineMissing({ browser }) {
    const gone = path.join(tmpdir(), 'vantrelle-faults-nothing-here');
    const cases = [
      ['the engine module', ['vantrelle.mjs', 'vantrelle.mjs.gz'], /vantrelle\.mjs/],
      ['its WebAssembly', ['vantrelle.wasm', 'vantrelle.wasm.gz'], /vantrelle\.wasm/],
    ];
    const wrong = [];
    for (const [name, files, named] of cases) {
      const server = await serve(site, Object.fromEntries(files.map((file) => [`/${file}`, gone])));
      const page = await freshPage(browser);
      try {
        await page.goto(server.url);
        const card = await settledCard(page);
        if (!/cannot play/i.test(card.caption) || !named.test(card.message)) wrong.push(`without ${name}: "${card.caption}", "${card.message}"`);
      } finally {
        await page.done();
        server.close();
      }
    }
    if (wrong.length) throw new Error(wrong.join('; '));
    return 'without the engine module or its WebAssembly, the card says the show cannot play and names the file';
  },

  // ?data= the page cannot read from: one clear message each, and the card says there is nothing to play.
  async dataRefused({ browser, url }) {
    const cases = [
      ['empty', '', /names no folder/],
      ['a blob: address', `blob:${url}0b1c`, /not a blob: address/],
      ['another server', 'http://localhost:1/data/', /expected an address on this server/],
    ];
    const wrong = [];
    for (const [name, asked, message] of cases) {
      const page = await freshPage(browser);
      try {
        await page.goto(`${url}?test&data=${encodeURIComponent(asked)}`);
        const card = await settledCard(page);
        if (card.caption !== 'No data to play' || !message.test(card.message)) wrong.push(`${name}: "${card.caption}", "${card.message}"`);
      } finally {
        await page.done();
      }
    }
    if (wrong.length) throw new Error(wrong.join('; '));
    return `${cases.length} kinds of ?data= refused, each with its message, the card saying "No data to play"`;
  },

  // A pack unfit to use gives way to the plain files, the frame exact and the
  // reason on the console as a warning, never an error.
  async brokenPacks({ browser }) {
    const list = entries(gunzipSync(readFileSync(path.join(site, 'data.pack'))));
    const palette = list.findIndex(({ name }) => name.endsWith('.pal'));
    const spoilt = (index, stored) => list.map((e, i) => (i === index ? { ...e, stored } : e));
    const cases = [
      ['an empty gzip', gzipSync(Buffer.alloc(0))],
      ['0 bytes', Buffer.alloc(0)],
      ['missing a file', gzipSync(packOf(list.slice(1)))],
      ['holding a file a byte short', gzipSync(packOf(spoilt(palette, list[palette].stored.subarray(1))))],
      ['holding a file twice', gzipSync(packOf([...list, { ...list[palette], stored: Buffer.alloc(list[palette].stored.length) }]))],
      ['an empty file of 4 GB records', gzipSync(packOf([...list, { name: 'gfx/extra.raw', record: 0xffffffff, stored: Buffer.alloc(0) }]))],
    ];
    const expected = sha(render(bin, ['--times', '44500', '--raw', '-']));
    const scratch = mkdtempSync(path.join(tmpdir(), 'vantrelle-faults-'));
    const wrong = [];
    try {
      for (const [name, bytes] of cases) {
        const pack = path.join(scratch, name.replaceAll(' ', '-'));
        writeFileSync(pack, bytes);
        const server = await serve(site, { '/data.pack': pack });
        const page = await freshPage(browser);
        try {
          const loaded = await visit(page, `${server.url}?test`).then(() => true, (error) => page.said.push(`not ready: ${error.message ?? error}`) && false);
          const exact = loaded && (await frameSha(page, 44500)) === expected;
          const plain = await plainFilesUsed(page);
          const warned = page.said.some((line) => line.startsWith('warn: data.pack'));
          const errors = page.said.filter((line) => !line.startsWith('warn'));
          if (!exact || !plain || !warned || errors.length) {
            wrong.push(`a pack ${name}: frame ${exact ? 'exact' : 'wrong'}, plain files ${plain}, console: ${page.said.join(' | ') || 'nothing'}`);
          }
        } finally {
          await page.done();
          server.close();
        }
      }
    } finally {
      rmSync(scratch, { recursive: true, force: true });
    }
    if (wrong.length) throw new Error(wrong.join('; '));
    return `${cases.length} broken packs give way to the plain files with a warning, every frame exact`;
  },

  // A link written with a fraction of a ms opens on its moment, and the link copied there is in whole ms.
  async fractionLink({ browser, url }) {
    const page = await freshPage(browser);
    try {
      await page.browserContext().overridePermissions(url, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
      await visit(page, `${url}?test#t=83456.7`);
      const shown = await page.$eval('#elapsed', (element) => element.textContent);
      await page.evaluate(() => document.getElementById('copy-link').click());
      await page.waitForFunction(() => document.getElementById('message').textContent === 'Link copied.');
      const link = await page.evaluate(() => navigator.clipboard.readText());
      if (shown !== '1:23' || !link.endsWith('#t=83457')) throw new Error(`#t=83456.7 shows ${shown}, copies ${link}`);
    } finally {
      await page.done();
    }
    return '#t=83456.7 opens at 1:23 and copies #t=83457';
  },

  // Save clip pressed again while the soundtrack is still downloading cancels the clip.
  // The server holds the soundtrack back (intercepting the browser's requests would hold up the engine's worker).
  async clipTwiceEarly({ browser }) {
    const page = await freshPage(browser);
    const server = await serve(site, {}, { held: (address) => address.endsWith('.mp3') });
    const release = server.release;
    try {
      await visit(page, `${server.url}?test`);
      const press = () => page.evaluate(() => document.getElementById('save-clip').click());
      await press();
      await press();
      const cancelled = await page.waitForFunction(() => document.getElementById('message').textContent === 'Clip cancelled.',
        { timeout: 20000 }).then(() => true, () => false);
      const early = await page.evaluate(() => document.getElementById('save-clip').getAttribute('aria-pressed'));
      release();
      await page.evaluate(() => vantrelleTest.wholeSoundtrack());
      await page.evaluate(() => new Promise((resolve) => { requestAnimationFrame(() => requestAnimationFrame(resolve)); }));
      const after = await page.evaluate(() => [document.getElementById('message').textContent,
        document.getElementById('save-clip').getAttribute('aria-pressed')]);
      if (!cancelled || early !== 'false' || after[0] !== 'Clip cancelled.' || after[1] !== 'false') {
        throw new Error(`pressed twice before the soundtrack: cancelled ${cancelled}, pressed ${early}; once it came: "${after[0]}", pressed ${after[1]}`);
      }
    } finally {
      await page.done();
      server.close();
    }
    return 'Save clip pressed twice while the soundtrack downloads cancels at once, and no clip starts once it arrives';
  },

  // Build A kept; build B (a data file changed, a new version, its zipped
  // engine missing) visited three times; then offline: B's page draws B's
  // frames, and only B's cache is left.
  async newBuild({ browser }) {
    return withCopy(() => {}, async (server, folder) => {
      const page = await freshPage(browser);
      try {
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
        const [a, b] = await Promise.all([renderAll(bin, times), Promise.all(times.map((t) =>
          render(bin, ['--data', path.join(folder, 'data'), '--times', String(t), '--raw', '-'])))]);
        if (times.every((t, i) => sha(a[i]) === sha(b[i]))) throw new Error(`changing ${stars.name} changes none of the frames`);
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
        const drawn = [];
        for (const t of times) drawn.push(await frameSha(page, t));
        const wrong = times.filter((t, i) => drawn[i] !== sha(b[i]));
        const kept = (await page.evaluate(() => caches.keys())).filter((name) => name.startsWith('vantrelle-'));
        if (wrong.length || kept.join() !== `vantrelle-${version}b`) {
          throw new Error(`offline after build B: frames at ${wrong.join(', ') || 'none'} ms not B's; caches ${kept.join(', ')}`);
        }
      } finally {
        await page.done();
      }
      return 'a new build with a changed data file and no zipped engine plays its own frames offline; the old cache went once it was complete';
    });
  },

  // "Kept" means the next visit plays offline, whatever the server or browser did.
  async keptWhatWasUsed({ browser }) {
    const cases = [
      ['zipped files served with Content-Encoding: gzip', { headers: (url) => (/\.gz$|\.pack$/.test(url) ? { 'Content-Encoding': 'gzip' } : {}) }],
      ['a strict CSP', { headers: () => ({ 'Content-Security-Policy': strictCsp }) }],
      ['no DecompressionStream', {}, () => { delete window.DecompressionStream; }],
    ];
    const expected = sha(render(bin, ['--times', '44500', '--raw', '-']));
    const wrong = [];
    for (const [name, options, before] of cases) {
      await withCopy(() => {}, async (server) => {
        const page = await freshPage(browser);
        try {
          if (before) await page.evaluateOnNewDocument(before);
          await visit(page, `${server.url}?test`);
          const kept = await offlineAnswer(page);
          // The server goes down rather than the browser offline: Chromium refuses offline emulation once a worker runs (the engine's).
          server.down();
          const played = await visit(page).then(async () => (await frameSha(page, 44500)) === expected, () => false);
          if (kept !== true || !played) wrong.push(`${name}: kept ${kept}, offline the frame ${played ? 'exact' : 'missing or wrong'}`);
        } finally {
          await page.done();
        }
      }, options);
    }
    if (wrong.length) throw new Error(wrong.join('; '));
    return `${cases.length} ways of serving the page: each says kept and plays offline`;
  },

  // A quota too small for the show, or even for the page's own files: "not kept" at once, and the show plays.
  async smallQuota({ browser, url }) {
    const wrong = [];
    for (const quota of [1.5e6, 1e4]) {
      const page = await freshPage(browser);
      try {
        const session = await page.createCDPSession();
        await session.send('Storage.overrideQuotaForOrigin', { origin: new URL(url).origin, quotaSize: quota });
        await visit(page, `${url}?test`);
        const kept = await offlineAnswer(page);
        await page.evaluate(() => document.getElementById('play').click());
        const playing = await page.waitForFunction(() => vantrelleTest.state().playing, { timeout: 20000 }).then(() => true, () => false);
        if (kept !== false || !playing) wrong.push(`with ${quota / 1e6} MB of quota: kept ${kept}, playing ${playing}`);
      } finally {
        await page.done();
      }
    }
    if (wrong.length) throw new Error(wrong.join('; '));
    return 'with 1.5 MB or 10 KB of quota the page reports not kept and plays';
  },
};

process.exit(await runSuite('faults', tests, { site, chosen }));
