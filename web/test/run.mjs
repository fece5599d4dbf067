// The page in Debian's browsers against the native program:
//   node run.mjs SITE BIN [ENGINE...] [TEST...]
// as a suite is run (harness.mjs), BIN also holding vantrelle_libm_tables.
// ENGINE is chromium, firefox or webkit (all three unless named). Each engine
// prints a count and its time, and the last line the count for all.
import { execFileSync, spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, truncateSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { bestShift, bin, chosen as named, chosenOf, clock, copyData, dataFiles, drop, engines, frameShas, kInStepMs, nativeShas, pngRgb,
  render, renderPng, runTests, samplesOf, serve, sha, site, startEngine, stretchesOf, until } from './harness.mjs';

const chosenEngines = named.filter((name) => engines.includes(name));
const chosen = named.filter((name) => !engines.includes(name));

function fnv1a(bytes) {
  let h = 0xcbf29ce484222325n;
  for (const b of bytes) h = ((h ^ BigInt(b)) * 0x100000001b3n) & 0xffffffffffffffffn;
  return h.toString(16).padStart(16, '0');
}

// Three broken copies of the data set and the native program's message for each.
function brokenDataSets(root) {
  const cases = {
    missing: (dir) => rmSync(path.join(dir, 'gfx/planet.pal')),
    size: (dir) => truncateSync(path.join(dir, 'gfx/credits.raw'), 1000),
    mesh: (dir) => {
      const mesh = path.join(dir, 'mesh/zerozev.3df');
      const bytes = readFileSync(mesh);
      bytes.writeInt32LE(0x7fffffff, 4);  // more faces than any mesh may have
      writeFileSync(mesh, bytes);
    },
  };
  return Object.entries(cases).map(([name, breakIt]) => {
    const dir = path.join(root, name);
    copyData(bin, dir);
    breakIt(dir);
    let message = '';
    try {
      render(bin, ['--data', dir, '--at', '0', '--raw', '/dev/null']);
    } catch (error) {
      message = error.stderr.toString().trim().replace(/^vantrelle-render: /, '');
    }
    if (!message) throw new Error(`the native program accepts the data set broken by ${name}`);
    return { name, dir, message };
  });
}

// Frames on both sides of every segment's start and the show's end, as the
// engine gives them (the page asks the same way), and on a sweep of 500
// times from the start to past the end.
async function frameTimes(page) {
  const bounds = await page.evaluate(async () => {
    const { default: createVantrelle } = await import('./vantrelle-scalar.mjs');
    const engine = await createVantrelle();
    return Array.from({ length: 26 }, (_, i) => engine._vantrelle_segment_start(i));
  });
  const times = bounds.flatMap((t) => [t - 1, t, t + 1]).filter((t) => t >= 0);
  const end = bounds[bounds.length - 1];
  for (let k = 0; k < 500; ++k) times.push(Math.floor(k * (end + 600) / 500) + (k % 7));
  return times;
}

// The native program's frames by time, as SHA-256, drawn once for every
// engine: exact, or with --reduce-flashing (`reduced`).
const expectedFrames = new Map();
async function expectedHashes(times, reduced = false) {
  const key = (t) => `${reduced ? 'reduced' : 'exact'} ${t}`;
  const missing = [...new Set(times.filter((t) => !expectedFrames.has(key(t))))];
  const hashes = await nativeShas(bin, missing, reduced ? ['--reduce-flashing'] : []);
  missing.forEach((t, i) => expectedFrames.set(key(t), hashes[i]));
  return times.map((t) => expectedFrames.get(key(t)));
}

// The page's frames at `times` against the native program's, byte for byte;
// through the reduced-flash filter on both sides when `reduced`.
async function compareFrames(page, times, reduced = false) {
  const expected = await expectedHashes(times, reduced);
  const frameOf = reduced ? 'reducedFrameAt' : 'frameAt';
  const mine = await frameShas(page, times, frameOf);
  const i = times.findIndex((t, i) => mine[i] !== expected[i]);
  if (i >= 0) {
    const frame = Buffer.from(await page.evaluate(async (t, frameOf) => Array.from(await vantrelleTest[frameOf](t)), times[i], frameOf));
    const native = render(bin, ['--times', String(times[i]), ...(reduced ? ['--reduce-flashing'] : []), '--raw', '-']);
    const at = frame.findIndex((b, j) => b !== native[j]) >> 1;
    throw new Error(`${reduced ? 'reduced ' : ''}frame at t=${times[i]} differs first at pixel (${at % 400}, ${Math.floor(at / 400)})`);
  }
}

// Times to check the reduced-flash filter at, from the data set's flash map
// (full strength over each stretch, ramps of 250 ms either side): inside its
// longest stretch, halfway up its ramp in, halfway down its ramp out, and a
// second before it where no ramp reaches.
const kRampMs = 250;
function reducedTimes() {
  const stretches = stretchesOf(readFileSync(path.join(bin, 'flash.map'), 'utf8'));
  if (!stretches.length) throw new Error(`${path.join(bin, 'flash.map')} has no stretches`);
  const [from, to] = stretches.reduce((a, b) => (b[1] - b[0] > a[1] - a[0] ? b : a));
  const clear = (t) => stretches.every(([f, e]) => t < f - kRampMs || t >= e + kRampMs);
  let outside = from - 1000;
  while (outside > 0 && !clear(outside)) outside -= 1000;
  if (!clear(outside)) throw new Error('no time outside every stretch before the longest');
  return { inside: Math.floor((from + to) / 2), 'ramping in': from - kRampMs / 2, 'ramping out': to + kRampMs / 2, outside };
}

// Where the page's engine runs, as the page shows it: the screen's canvas
// handed to a worker (the page can no longer draw on it), and neither the
// engine build in use nor the data pack fetched by the page itself; or the
// page's own canvas, engine and pack.
async function engineRuns(page) {
  const found = await page.evaluate(() => {
    let handedOver = false;
    try {
      document.getElementById('screen').getContext('2d');
    } catch {
      handedOver = true;
    }
    const here = (file) => performance.getEntriesByType('resource').some(({ name }) => new URL(name).pathname.startsWith(file));
    const fetched = [`/${vantrelleTest.vectors ? 'vantrelle' : 'vantrelle-scalar'}.`, '/data.pack'].filter(here);
    return { says: vantrelleTest.engine, handedOver, fetched };
  });
  const where = found.handedOver && !found.fetched.length ? 'worker' : !found.handedOver && found.fetched.length === 2 ? 'page' : 'unclear';
  if (where !== found.says) throw new Error(`the page says its engine runs in the ${found.says}: ${JSON.stringify(found)}`);
  return where;
}

// Each test takes { engine, browser, page, url, broken, times } and says what it found.
const tests = {
  // All three engines have WebAssembly vectors, so the page runs the vector
  // build, in a worker drawing on the screen's canvas off the page's own
  // thread. The build for browsers without them (?simd=0) and the engine kept
  // in the page (?engine=page, as where a browser cannot draw in a worker)
  // draw the same frames. So does each with flashing reduced: inside a stretch
  // of the data set's flash map, on both of its ramps and outside, where the
  // filter does change the frames inside and leaves those outside.
  async frames({ browser, url, page, times }) {
    const reduced = reducedTimes();
    const ways = [['the page', '', true, 'worker'], ['?simd=0', '&simd=0', false, 'worker'], ['?engine=page', '&engine=page', true, 'page']];
    for (const [name, query, vectors, runs] of ways) {
      const shown = query ? await browser.open(`${url}?test${query}`) : page;
      await shown.evaluate(() => vantrelleTest.ready);
      const found = { runs: await engineRuns(shown), vectors: await shown.evaluate(() => vantrelleTest.vectors) };
      if (found.runs !== runs || found.vectors !== vectors) throw new Error(`${name}: ${JSON.stringify(found)}`);
      await compareFrames(shown, times);
      await compareFrames(shown, Object.values(reduced), true);
      if (query) await shown.close();
    }
    const [exact, filtered] = await Promise.all([expectedHashes(Object.values(reduced)), expectedHashes(Object.values(reduced), true)]);
    const same = Object.keys(reduced).map((name, i) => [name, exact[i] === filtered[i]]);
    const wrong = same.filter(([name, equal]) => equal !== (name === 'outside'));
    if (wrong.length) throw new Error(`the filter ${wrong.map(([name, equal]) => `${equal ? 'leaves' : 'changes'} the frame ${name}`).join(', ')}`);
    return `${times.length} frames and ${same.length} reduced ones (in, on both ramps, outside: ${JSON.stringify(reduced)}) identical, ` +
      `the engine in a worker, in a worker without vectors and in the page`;
  },

  // The tables from sin, cos and atan2 as the native build makes them, by name and FNV-1a hash.
  async tables({ page }) {
    const native = execFileSync(path.join(bin, 'vantrelle_libm_tables'), { encoding: 'utf8' }).trim().split('\n')
      .map((line) => line.split(' '));
    const mine = await page.evaluate(async (n) => Promise.all(Array.from({ length: n + 1 },
      async (_, i) => Array.from(await vantrelleTest.table(i)))), native.length);
    if (mine[native.length].length !== 0) throw new Error(`the page has more than the ${native.length} native tables`);
    const wrong = native.filter(([, bytes, hash], i) => mine[i].length !== Number(bytes) || fnv1a(mine[i]) !== hash);
    if (wrong.length) throw new Error(`start-up tables differ from the native ones: ${wrong.map(([name]) => name).join(', ')}`);
    return `${native.length} tables from sin, cos and atan2 identical`;
  },

  // The page at #t=44500, landscape and upright (as --portrait draws it): the frame twice its size, centred on black.
  async screenshot({ browser, url }) {
    for (const [query, width, height, extra] of [['?test', 1000, 600, []], ['?test&portrait', 600, 1000, ['--portrait']]]) {
      const frame = await renderPng(bin, 44500, 2, extra);
      const page = await browser.open(`${url}${query}#t=44500`, { width, height });
      // The title card's picture goes once the engine's frame can be on the screen.
      await page.evaluate(() => vantrelleTest.ready.then(() => new Promise((resolve) => {
        const shown = () => (document.getElementById('poster').hidden ? resolve() : requestAnimationFrame(shown));
        shown();
      })));
      const shot = pngRgb(Buffer.from(await page.screenshot(), 'base64'));
      await page.close();
      const [left, top] = [(shot.width - frame.width) / 2, (shot.height - frame.height) / 2];
      for (let y = 0; y < shot.height; ++y) {
        for (let x = 0; x < shot.width; ++x) {
          const [u, v] = [x - left, y - top];
          const inside = u >= 0 && u < frame.width && v >= 0 && v < frame.height;
          for (let c = 0; c < 3; ++c) {
            if (shot.rgb[3 * (shot.width * y + x) + c] !== (inside ? frame.rgb[3 * (frame.width * v + u) + c] : 0)) throw new Error(`${query}: pixel (${x}, ${y}) differs`);
          }
        }
      }
    }
    return 'the page shows the frame of vantrelle-render --png --scale 2 (and --portrait), letterboxed in black, both ways up';
  },

  // The decoded soundtrack starts with the music's first sample as ffmpeg
  // decodes it (which drops the encoder's delay and padding named in the
  // file's header): no decoder delay left in. The offset is the shift within
  // ±10 ms that best lines up their first channels over the second from 20 ms in.
  async sound({ page }) {
    const { rate, mine } = await page.evaluate(async () => {
      const sound = await vantrelleTest.wholeSoundtrack();
      return { rate: sound.sampleRate, mine: Array.from(sound.getChannelData(0).subarray(0, 2 * sound.sampleRate)) };
    });
    const reference = samplesOf(path.join(bin, 'music/soundtrack.mp3'), rate);
    const from = Math.round(rate / 50);
    const ms = (1000 * bestShift(mine, from, reference.subarray(from, from + rate), Math.round(rate / 100)).shift) / rate;
    if (Math.abs(ms) > 1) throw new Error(`the page's soundtrack is ${ms.toFixed(2)} ms off the music's start`);
    return `the soundtrack starts ${ms.toFixed(2)} ms from the music's first sample`;
  },

  // A head cut from the soundtrack, as the page plays while the rest
  // downloads, decodes to the whole's first samples, so it starts on the
  // music's first sample as the whole does, in the browser and in ffmpeg. Only the
  // head's last second may differ: a browser that resamples to its own rate
  // has no samples past the head's end to resample from there, and the page
  // swaps to the whole before it.
  async soundHead({ page }) {
    // The soundtrack: 96 kbit/s at 22050 Hz, frames of 576 samples and 313.47
    // bytes on average after an info frame of 313; every decoder drops 576 + 529
    // samples at the start.
    const kHeadBytes = 200150;  // inside the 638th frame after the info frame
    const frames = Math.floor((kHeadBytes - 313) / (96000 / 8 * 576 / 22050));
    const samples = frames * 576 - 576 - 529;
    const found = await page.evaluate(async (bytes) => {
      const [head, whole] = await Promise.all([vantrelleTest.soundtrackHead(bytes), vantrelleTest.wholeSoundtrack()]);
      const compared = head.length - head.sampleRate;
      let worst = 0;
      for (let c = 0; c < whole.numberOfChannels; ++c) {
        const [mine, reference] = [head.getChannelData(c), whole.getChannelData(c)];
        for (let i = 0; i < compared; ++i) worst = Math.max(worst, Math.abs(mine[i] - reference[i]));
      }
      return { seconds: head.duration, channels: head.numberOfChannels === whole.numberOfChannels, worst };
    }, kHeadBytes);
    if (!found.channels || found.worst > 0 || Math.abs(found.seconds - samples / 22050) > 0.001) {
      throw new Error(`a head of ${kHeadBytes} bytes: ${JSON.stringify(found)}, expected ${samples / 22050} s`);
    }
    // ffmpeg reads the same head as a file without a complaint (a frame cut
    // short makes it stumble), to the whole's first samples exactly.
    const { soundtrackHead } = await import(path.join(site, 'soundtrack.js'));
    const whole = readFileSync(path.join(bin, 'music/soundtrack.mp3'));
    const file = path.join(tmpdir(), `vantrelle-head-${process.pid}.mp3`);
    writeFileSync(file, soundtrackHead(new Uint8Array(whole.buffer, whole.byteOffset, kHeadBytes)).bytes);
    const decode = (mp3) => spawnSync('ffmpeg', ['-v', 'error', '-i', mp3, '-f', 's16le', '-'], { maxBuffer: 1 << 28 });
    const [head, all] = [decode(file), decode(path.join(bin, 'music/soundtrack.mp3'))];
    rmSync(file);
    const complaint = head.stderr.toString().trim();
    if (complaint || head.stdout.length !== samples * 4 || !head.stdout.equals(all.stdout.subarray(0, head.stdout.length))) {
      throw new Error(`ffmpeg read the head as ${head.stdout.length / 4} samples, not the whole's first ${samples}${complaint && `: ${complaint}`}`);
    }
    return `a head of ${found.seconds.toFixed(2)} s decodes to the whole soundtrack's first samples, in the page and in ffmpeg`;
  },

  // Playing, 5 s on with the right arrow, paused and resumed with Space: picture and sound move together.
  async seek({ browser, url }) {
    const page = await browser.open(`${url}?test#t=60000`);
    await page.evaluate(() => vantrelleTest.ready);
    await page.click(400, 300);
    // Each reading of the clock carries the page's own time: a key takes a while
    // to arrive (longer over WebDriver on a loaded machine), and playing moves on meanwhile.
    await until(async () => (await clock(page)).sound !== null, 'no sound 20 s after a click', 20000);
    const moved = (now, before) => now.picture - before.picture;
    // Stopped or restarted in between: moved by no more than the time between the readings.
    // The audio clock advances in steps (Firefox's by tens of ms under load), hence the slack.
    const slack = 100;
    const within = (now, before) => moved(now, before) >= -slack && moved(now, before) <= now.at - before.at + slack;
    // Each step: a key (or 300 ms of the page's time), then what holds of the clock now and before it.
    const steps = [
      ['playing', null, (now) => now.picture >= 60000],
      // A start waits for its sample, a moment ahead, and for the output's latency.
      ['seek', 'ArrowRight', (now, before) => Math.abs(moved(now, before) - 5000 - (now.at - before.at)) < 150],
      ['pause', ' ', (now, before) => now.sound === null && within(now, before)],
      ['paused', null, (now, before) => now.picture === before.picture],
      ['resume', ' ', (now, before) => within(now, before)],
    ];
    let before = await clock(page);
    for (const [name, key, holds] of steps) {
      if (key) await page.press(key);
      else await until(async () => (await clock(page)).at >= before.at + 300, 'the page stopped');  // paused, only time moves
      const now = await clock(page);
      const together = now.sound === null ? name.startsWith('pause') : Math.abs(now.sound - now.picture) <= kInStepMs;
      if (!holds(now, before) || !together) throw new Error(`${name}: picture at ${now.picture} ms, sound at ${now.sound} ms (before: ${before.picture} ms)`);
      before = now;
    }
    await page.close();
    return 'picture and sound seek, pause and resume together';
  },

  // Broken data beside the page (?data=) and dropped on it: the native message,
  // and the page still plays what it had.
  async badData({ browser, url, page, broken, engine }) {
    for (const { name, dir, message } of broken) {
      const bad = await browser.open(`${url}?test&data=bad/${name}/`);
      const rejected = await bad.evaluate(() => vantrelleTest.ready.then(() => 'loaded', (error) => error));
      const shown = await bad.evaluate(() => document.getElementById('message').textContent);
      await bad.close();
      // Files are named as the person knows them: here, by the address beside the page.
      const expected = message.replaceAll(`${dir}/`, `bad/${name}/`);
      if (rejected !== expected || shown !== expected) throw new Error(`?data= with ${name}: "${shown}", not "${expected}"`);
    }
    // WebKit reads no entries from a drop made in the page (a person's drop is read from disk).
    const message = () => page.evaluate(() => document.getElementById('message').textContent);
    for (const { name, dir, message: native } of engine === 'webkit' ? [] : broken) {
      await page.evaluate(() => { document.getElementById('message').textContent = ''; });
      await drop(page, `bad/${name}/`, dataFiles(dir));
      await until(async () => (await message()) !== '', `dropped ${name}: no message`);
      const expected = native.replaceAll(`${dir}/`, '');  // loose files: named by their place in the set
      if ((await message()) !== expected) throw new Error(`dropped ${name}: "${await message()}", not "${expected}"`);
    }
    const [frame] = await frameShas(page, [44500]);
    if (frame !== sha(render(bin, ['--times', '44500', '--raw', '-']))) throw new Error('the page no longer plays its data');
    const ways = engine === 'webkit' ? 'beside the page' : 'beside the page and dropped';
    return `${broken.length} broken data sets, ${ways}, give the native messages; the page plays on`;
  },
};

// What WebDriver says when the browser's page has crashed under it.
const kCrashed = /page crash|Could not parse script result/;

// Runs the chosen tests in one engine; returns how many passed and failed.
async function runIn(name, shared) {
  const started = Date.now();
  let passed = 0;
  let failed;
  let browser;
  let page;
  const start = async () => {
    browser = await startEngine(name);
    page = await browser.open(`${shared.url}?test`);
    await page.evaluate(() => vantrelleTest.ready);
  };
  try {
    await start();
    shared.times ??= await frameTimes(page);
    // WebKit's web process has crashed now and then under the test driver
    // (about one run in ten), taking the session with it.
    ({ passed, failed } = await runTests(`web: ${name}`, tests, {
      chosen,
      context: () => ({ ...shared, browser, page, engine: name }),
      restart: async () => {
        await browser.close().catch(() => {});
        await start();
      },
      retryOn: kCrashed,
    }));
  } catch (error) {
    failed = chosenOf(tests, chosen).length - passed;
    console.log(`web: ${name}: FAILED to start: ${error.message}`);
  }
  // Closed means gone: the browser's profile and caches went with it.
  try {
    await browser?.close();
    if (browser && existsSync(browser.folder)) throw new Error(`${browser.folder} is left behind`);
  } catch (error) {
    ++failed;
    console.log(`web: ${name}: FAILED to close: ${error.message}`);
  }
  const seconds = Math.round((Date.now() - started) / 1000);
  console.log(`web: ${name}: ${passed} passed, ${failed} failed in ${seconds} s`);
  return { passed, failed };
}

// Stopped from outside: exit, so that the helpers' exit handlers end them.
for (const [signal, number] of [['SIGINT', 2], ['SIGTERM', 15], ['SIGHUP', 1]]) {
  process.once(signal, () => process.exit(128 + number));
}

const scratch = mkdtempSync(path.join(tmpdir(), 'vantrelle-web-'));
process.once('exit', () => rmSync(scratch, { recursive: true, force: true }));
const server = await serve(site, { '/bad/': scratch });
let passed = 0;
let failed = 0;
try {
  const shared = { url: server.url, broken: brokenDataSets(scratch) };
  for (const name of chosenEngines.length ? chosenEngines : engines) {
    const counts = await runIn(name, shared);
    passed += counts.passed;
    failed += counts.failed;
  }
} finally {
  server.close();
  rmSync(scratch, { recursive: true, force: true });
}
console.log(`web: ${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
