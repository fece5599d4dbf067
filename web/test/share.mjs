// Sharing a moment from the page, in Debian's headless Chromium: the copied
// link, the saved still and clips against the native program, and the share
// sheet on touch devices.
import { execFileSync, spawn } from 'node:child_process';
import { chmodSync, existsSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { bestShift, bin, clock, kShowEnd, open, openPhone, pngRgb, render, renderPng, runSuite, samplesOf, sha, showStrip, state, tap,
  tapUntil, until, widen, withScratch } from './harness.mjs';


const downloadsTo = async (page, folder) =>
  (await page.createCDPSession()).send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });

// The clip the page makes of [from, to) ms, written into `folder` as NAME.mp4 or .webm; returns its path.
async function clipFile(page, from, to, folder, name) {
  const made = await page.evaluate(async (a, b) => {
    const { type, bytes } = await vantrelleTest.clip(a, b);
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return { type, base64: btoa(text) };
  }, from, to);
  const file = path.join(folder, `${name}.${made.type === 'video/mp4' ? 'mp4' : 'webm'}`);
  writeFileSync(file, Buffer.from(made.base64, 'base64'));
  return file;
}

async function press(page, id) {
  await showStrip(page);
  await page.click(`#${id}`);
}

// What ffprobe finds: the video's and the sound's stream ({ width, nb_read_frames, codec_name, start_time, ... }) and the duration.
function probe(file) {
  const { streams, format } = JSON.parse(execFileSync('ffprobe', ['-v', 'error', '-count_frames', '-show_entries',
    'stream=codec_type,codec_name,width,height,nb_read_frames,start_time,duration:format=duration', '-of', 'json', file], { encoding: 'utf8' }));
  const stream = (type) => streams.find(({ codec_type }) => codec_type === type) ?? {};
  return { video: stream('video'), audio: stream('audio'), duration: Number(format.duration) };
}

// Each decoded frame of `file` (RGB, width × height) handed to `each(frame, n)`, one at a time.
function decodedFrames(file, width, height, each) {
  const size = width * height * 3;
  return new Promise((resolve, reject) => {
    const ffmpeg = spawn('ffmpeg', ['-v', 'error', '-i', file, '-f', 'rawvideo', '-pix_fmt', 'rgb24', '-']);
    let frame = Buffer.alloc(size), filled = 0, n = 0;
    ffmpeg.stdout.on('data', (chunk) => {
      for (let at = 0; at < chunk.length;) {
        const taken = Math.min(size - filled, chunk.length - at);
        chunk.copy(frame, filled, at, at + taken);
        filled += taken;
        at += taken;
        if (filled === size) {
          each(frame, n++);
          filled = 0;
        }
      }
    });
    ffmpeg.on('error', reject);
    ffmpeg.on('close', (status) => (status === 0 ? resolve(n) : reject(new Error(`ffmpeg ended with ${status}`))));
  });
}

// The clips' shapes: the video's size, and where the picture (`across` × `down`
// source pixels, each `scale` × `scale`) sits in it. The upright one is the
// render tool's vertical video: 1080 × 1920, the display upright ×4, centred.
const kLandscape = { width: 1200, height: 720, scale: 3, left: 0, top: 0, across: 400, down: 240 };
const kUpright = { width: 1080, height: 1920, scale: 4, left: 60, top: 160, across: 240, down: 400 };

// The mean squared error of `decoded` (RGB, the whole video frame) against
// the exact RGB565 picture, over the picture's area only.
function squaredError(decoded, exact, shape) {
  const rgb = widen(exact);
  const { width, scale, left, top, across, down } = shape;
  let squares = 0;
  for (let y = 0; y < down * scale; ++y) {
    for (let x = 0; x < across * scale; ++x) {
      const a = 3 * ((top + y) * width + left + x), b = 3 * (Math.floor(y / scale) * across + Math.floor(x / scale));
      for (let c = 0; c < 3; ++c) squares += (decoded[a + c] - rgb[b + c]) ** 2;
    }
  }
  return squares / (3 * across * down * scale * scale);
}
// The least PSNR a clip's frames may have over the whole clip, against the
// exact frames: at 1 MB a second the browser's H.264 encoder gives 32.5 dB
// (landscape) and 34.6 dB (upright) here; lower, something besides the
// encoder's loss has crept in (a shifted, scaled or miscoloured picture).
const kLeastDb = 31;

// Peak signal to noise, dB, of a mean squared error: 100 for none (a frame decoded exactly).
const decibels = (error) => Math.min(100, 10 * Math.log10(255 * 255 / error));

// A 10 s clip of the `shape` against its exact frames (RGB565, one after
// another): 600 frames of its size, at most 1 MB a second, and as close as
// kLeastDb over the picture by the whole clip's mean squared error (its PSNR
// never above the mean of its frames'). Returns what ffprobe found and a summary.
async function checkClip(file, shape, exact) {
  const found = probe(file);
  const bytes = readFileSync(file).length;
  const size = `${found.video.width} × ${found.video.height}`;
  if (found.video.nb_read_frames !== '600' || size !== `${shape.width} × ${shape.height}` || bytes > 10e6) {
    throw new Error(`${path.basename(file)}: ${found.video.nb_read_frames} frames of ${size}, ${bytes} bytes`);
  }
  const frameBytes = 2 * shape.across * shape.down;
  let [sum, errors, worst] = [0, 0, { db: Infinity, n: -1 }];
  const decoded = await decodedFrames(file, shape.width, shape.height, (frame, n) => {
    const error = squaredError(frame, exact.subarray(n * frameBytes, (n + 1) * frameBytes), shape);
    sum += decibels(error);
    errors += error;
    if (decibels(error) < worst.db) worst = { db: decibels(error), n };
  });
  const [mean, whole] = [sum / decoded, decibels(errors / decoded)];
  if (decoded !== 600 || !(whole >= kLeastDb)) throw new Error(`${decoded} frames decoded at ${whole.toFixed(1)} dB`);
  return { found, summary: `600 frames of ${size}, ${(bytes / 1e6).toFixed(2)} MB; ${whole.toFixed(1)} dB on the picture over the clip ` +
    `(${mean.toFixed(1)} dB the mean of its frames), the worst frame (${worst.n}) ${worst.db.toFixed(1)} dB` };
}

// RGBA bytes cut back to RGB565 (each field's top bits): what both the page's
// and ffmpeg's widening keep exactly.
function narrow(rgba) {
  const out = Buffer.alloc(rgba.length / 2);
  for (let i = 0; i < rgba.length / 4; ++i) {
    out.writeUInt16LE(((rgba[4 * i] >> 3) << 11) | ((rgba[4 * i + 1] >> 2) << 5) | (rgba[4 * i + 2] >> 3), 2 * i);
  }
  return out;
}

// The render tool's vertical video before encoding: a stand-in ffmpeg takes
// its frames and arguments, and the real ffmpeg then lays the frames out with
// the tool's own filter into raw RGBA. Resolves to each frame's SHA-256 (as RGB565).
function verticalFrames(folder, from, to) {
  const fake = path.join(folder, 'ffmpeg');
  writeFileSync(fake, '#!/bin/sh\nprintf \'%s\\n\' "$@" > "$(dirname "$0")/args"\ncat > "$(dirname "$0")/frames"\nfor last; do :; done\necho x > "${last#file:}"\n');
  chmodSync(fake, 0o755);
  execFileSync(path.join(bin, 'vantrelle-render'), ['--from', String(from), '--to', String(to), '--fps', '60',
    '--preset', 'vertical', '--video', path.join(folder, 'vertical.mp4'), '--quiet'],
  { env: { ...process.env, PATH: `${folder}:${process.env.PATH}` }, stdio: 'pipe' });
  const args = readFileSync(path.join(folder, 'args'), 'utf8').split('\n');
  const filter = args[args.indexOf('-vf') + 1];
  const size = args[args.indexOf('-video_size') + 1];
  const rgba = execFileSync('ffmpeg', ['-v', 'error', '-f', 'rawvideo', '-pixel_format', 'rgb565le', '-video_size', size,
    '-i', path.join(folder, 'frames'), '-vf', filter, '-f', 'rawvideo', '-pix_fmt', 'rgba', '-'], { maxBuffer: 1 << 30 });
  const frame = 4 * kUpright.width * kUpright.height;
  return Array.from({ length: rgba.length / frame }, (_, n) => sha(narrow(rgba.subarray(n * frame, (n + 1) * frame))));
}

const tests = {
  // Paused a moment after 61 s: the copied address is that moment's, and
  // plays on from there; the still is named for the moment, pixel for pixel
  // the render tool's PNG at ×3.
  async link({ browser, url }) {
    await browser.defaultBrowserContext().overridePermissions(url, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
    return withScratch(async (folder) => {
      const page = await open(browser, `${url}?test`, undefined, { ready: true });
      await downloadsTo(page, folder);
      // Played from 61 s and paused a moment later.
      await page.evaluate(() => { location.hash = 't=61000'; });
      await page.mouse.click(400, 200);
      await page.waitForFunction(() => vantrelleTest.clock().picture >= 61400);
      await page.keyboard.press('Space');
      await page.waitForFunction(() => vantrelleTest.state().paused);
      const held = await page.evaluate(() => vantrelleTest.clock().picture);
      await press(page, 'copy-link');
      await page.waitForFunction(() => document.getElementById('message').textContent !== '');
      const link = await page.evaluate(() => navigator.clipboard.readText());
      if (link !== `${url}?test#t=${held}`) throw new Error(`copied ${JSON.stringify(link)} at ${held} ms`);
      await press(page, 'save-still');
      const name = `vantrelle-t${String(held).padStart(6, '0')}.png`;
      await until(() => existsSync(path.join(folder, name)), () => `no ${name}; saved: ${readdirSync(folder).join(', ') || 'nothing'}`);
      await page.close();
      const [still, native] = [pngRgb(path.join(folder, name)), await renderPng(bin, held, 3)];
      if (still.width !== 1200 || still.height !== 720 || !still.rgb.equals(native.rgb)) throw new Error(`${name} differs from the render tool's PNG`);

      // That a #t= link opens on its frame is the title card's and the browsers' test.
      const opened = await open(browser, link, undefined, { ready: true });
      await opened.mouse.click(400, 200);
      await opened.waitForFunction(() => vantrelleTest.state().playing);
      const playing = await opened.evaluate(() => vantrelleTest.clock().picture);
      // The picture follows the sound less its output latency, so it may start a few ms short of the moment.
      if (playing < held - 100 || playing > held + 2000) throw new Error(`plays at ${playing} ms, not from ${held} ms`);
      await opened.close();
      return `copied ${link.slice(url.length)}; it plays on from ${held} ms; ${name}, the render tool's PNG`;
    });
  },

  // The share sheet, stubbed: on a phone, Save still hands over the still's
  // PNG with the link at once, Share the link alone, and a clip, once made,
  // goes on a second tap of Share clip; nothing downloads. On a desktop with
  // the same sheet, the still and the clip download and Share is not offered.
  // Either way the title card stays: saving never starts the show.
  async shareSheet({ browser, url }) {
    const moment = 249000;  // 10 s of clip would pass the end: 2.3 s
    const clipFrames = Math.ceil((kShowEnd - moment) * 60 / 1000);
    const stillPixels = (await renderPng(bin, moment, 3)).rgb;
    const link = `${url}?test#t=${moment}`;
    const stub = () => {
      window.handed = [];
      navigator.canShare = (data) => Array.isArray(data?.files) || typeof data?.url === 'string';
      navigator.share = async ({ files = [], url: address }) => {
        const read = async (file) => {
          const bytes = new Uint8Array(await file.arrayBuffer());
          let text = '';
          for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
          return { name: file.name, type: file.type, base64: btoa(text) };
        };
        window.handed.push({ url: address, files: await Promise.all(files.map(read)) });
      };
    };
    const devices = [
      ['phone', { width: 390, height: 844, deviceScaleFactor: 1, isMobile: true, hasTouch: true }, true],
      ['desktop', { width: 800, height: 600, deviceScaleFactor: 1 }, false],
    ];
    const found = [];
    return withScratch(async (folder) => {
      for (const [device, viewport, sheet] of devices) {
        const downloads = path.join(folder, device);
        const page = await openPhone(browser, link, { viewport, before: stub });
        await page.evaluate(() => vantrelleTest.wholeSoundtrack());
        await downloadsTo(page, downloads);
        const click = (id) => page.$eval(`#${id}`, (button) => button.click());
        const handed = () => page.evaluate(() => window.handed);
        const saved = () => (existsSync(downloads) ? readdirSync(downloads).filter((f) => !f.endsWith('.crdownload')) : []);
        const waitFor = (done, what) => until(done, `${device}: no ${what}`, 120000);

        const shareShown = !(await page.$eval('#share-link', (button) => button.hidden));
        await click('save-still');
        await waitFor(async () => (await handed()).length + saved().length >= 1, 'still');
        await click('save-clip');
        await waitFor(async () => !(await page.$eval('#share-clip', (b) => b.hidden)) || saved().length >= 2, 'clip');
        if (sheet) {
          await click('share-clip');
          await waitFor(async () => (await handed()).length >= 2, 'clip shared');
          await click('share-link');
          await waitFor(async () => (await handed()).length >= 3, 'link shared');
        }
        // Time for a download or a start that should not happen to show.
        await new Promise((resolve) => setTimeout(resolve, 500));
        const [given, files] = [await handed(), saved()];
        const offerLeft = !(await page.$eval('#share-clip', (b) => b.hidden));
        const { playing } = await state(page);
        await page.close();

        // What each device handed over or saved: [name, type, bytes] of the still, then of the clip.
        const still = sheet ? given[0]?.files[0] : files.find((f) => f.endsWith('.png'));
        const clip = sheet ? given[1]?.files[0] : files.find((f) => /\.(mp4|webm)$/.test(f));
        const bytesOf = (item) => (sheet ? Buffer.from(item.base64, 'base64') : readFileSync(path.join(downloads, item)));
        const problems = [];
        if (shareShown !== sheet) problems.push(`Share ${shareShown ? 'shown' : 'hidden'}`);
        if (sheet && JSON.stringify(given.map((g) => [g.url, g.files.length])) !== JSON.stringify([[link, 1], [link, 1], [link, 0]])) {
          problems.push(`handed ${JSON.stringify(given.map((g) => [g.url, g.files.map((f) => f.name)]))}`);
        }
        if (sheet ? files.length : given.length) problems.push(sheet ? `downloaded ${files.join(', ')}` : `shared ${given.length} times`);
        if (!still || !clip) problems.push(`still ${JSON.stringify(still?.name ?? still)}, clip ${JSON.stringify(clip?.name ?? clip)}`);
        if (offerLeft) problems.push('Share clip still offered');
        if (playing) problems.push('saving started the show');
        if (problems.length) throw new Error(`${device}: ${problems.join('; ')}`);
        if (sheet && (still.type !== 'image/png' || !/^video\//.test(clip.type))) throw new Error(`${device}: handed ${still.type}, ${clip.type}`);
        if ((sheet ? still.name : still) !== `vantrelle-t${moment}.png` || !pngRgb(bytesOf(still)).rgb.equals(stillPixels)) {
          throw new Error(`${device}: the still ${sheet ? still.name : still} differs from the render tool's PNG`);
        }
        const clipFile = sheet ? path.join(folder, clip.name) : path.join(downloads, clip);
        if (sheet) writeFileSync(clipFile, bytesOf(clip));
        const frames = probe(clipFile).video.nb_read_frames;
        if (frames !== String(clipFrames)) throw new Error(`${device}: ${sheet ? clip.name : clip} has ${frames} frames, not ${clipFrames}`);
        found.push(`${device}: ${sheet ? 'shared' : 'downloaded'} the still (the render tool's PNG) and a ${clipFrames}-frame clip${sheet ? ', then the link' : ''}`);
      }
      return found.join('; ');
    });
  },

  // A 10 s clip from the start of segment 8 (on a beat), landscape and upright
  // (chosen beside Save clip): 600 frames, at most 1 MB a second, close to the
  // exact frames on the picture's area, the sound in step with the picture.
  // Before encoding, each upright frame is the render tool's vertical video frame.
  async clips({ browser, url }) {
    const [from, to] = [44352, 54352];
    const checked = 60;  // upright frames compared before encoding: a second is enough, and hashing is slow
    // Every frame built from pixels and handed to the encoder, hashed as RGB565.
    const hashFrames = (limit) => {
      window.framesBuilt = [];
      const Original = window.VideoFrame;
      window.VideoFrame = class extends Original {
        constructor(data, init) {
          super(data, init);
          if (!ArrayBuffer.isView(data) || window.framesBuilt.length >= limit) return;
          const rgba = new Uint8Array(data.buffer, data.byteOffset, data.byteLength);
          const narrowed = new Uint16Array(rgba.length / 4);
          for (let i = 0; i < narrowed.length; ++i) narrowed[i] = ((rgba[4 * i] >> 3) << 11) | ((rgba[4 * i + 1] >> 2) << 5) | (rgba[4 * i + 2] >> 3);
          window.framesBuilt.push(crypto.subtle.digest('SHA-256', narrowed).then((d) => Array.from(new Uint8Array(d), (b) => b.toString(16).padStart(2, '0')).join('')));
        }
      };
    };
    const rate = 48000;
    const soundtrack = samplesOf(path.join(bin, 'music/soundtrack.mp3'), rate);
    const found = [];
    return withScratch(async (folder) => {
      for (const [name, shape, extra] of [['landscape', kLandscape, []], ['upright', kUpright, ['--portrait']]]) {
        const upright = shape === kUpright;
        const page = await open(browser, `${url}?test`, undefined, { ready: true, before: [hashFrames, upright ? checked : 0] });
        await page.evaluate(() => vantrelleTest.soundtrack());
        if (upright) await page.$eval('#clip-upright', (button) => button.click());
        const pressed = await page.$eval('#clip-upright', (button) => button.getAttribute('aria-pressed'));
        const file = await clipFile(page, from, to, folder, name);
        const built = await page.evaluate(() => Promise.all(window.framesBuilt));
        await page.close();

        const expected = upright ? verticalFrames(folder, from, from + checked * 1000 / 60) : [];
        const differing = built.findIndex((hash, n) => hash !== expected[n]);
        if (pressed !== String(upright) || built.length !== expected.length || expected.length !== (upright ? checked : 0) || differing >= 0) {
          throw new Error(`${name}: pressed ${pressed}; ${built.length} frames built, ${expected.length} from the render tool; frame ${differing} differs`);
        }
        const { found: probed, summary } = await checkClip(file, shape, render(bin, ['--from', String(from), '--to', String(to), '--fps', '60', ...extra, '--raw', '-']));
        if (Math.abs(probed.duration - 10) > 1 / 60 || probed.audio.codec_name !== 'opus') {
          throw new Error(`${name}: ${probed.duration} s, audio: ${probed.audio.codec_name ?? 'none'}`);
        }
        // Where the clip's sound sits in the soundtrack, against the picture's first frame.
        const heard = samplesOf(file, rate).subarray(0, rate / 2);
        const { shift, score } = bestShift(soundtrack, Math.round(from * rate / 1000), heard, rate / 20);
        const offsetMs = 1000 * shift / rate + 1000 * (Number(probed.audio.start_time) - Number(probed.video.start_time));
        if (score < 0.9 || Math.abs(offsetMs) > 1000 / 60) throw new Error(`${name}: sound ${offsetMs.toFixed(1)} ms from the picture (match ${score.toFixed(2)})`);
        found.push(`${name}: ${summary}; Opus, the sound ${offsetMs.toFixed(1)} ms from the picture${upright ? `; ${checked} frames as the render tool's vertical video lays them out` : ''}`);
      }
      return found.join('; ');
    });
  },

  // The sound lasts as long as the picture to within half an Opus packet (10 ms) either way, down to a 1 ms clip (one frame).
  async clipLengths({ browser, url }) {
    const page = await open(browser, `${url}?test`, undefined, { ready: true });
    return withScratch(async (folder) => {
      await page.evaluate(() => vantrelleTest.wholeSoundtrack());
      const found = [];
      for (const ms of [1, 17, 50, 1001]) {
        const { video, audio } = probe(await clipFile(page, 44352, 44352 + ms, folder, String(ms)));
        const picture = Math.ceil(ms * 60 / 1000) / 60;
        const sound = Number(audio.start_time) + Number(audio.duration) - Number(video.start_time);
        found.push(`${ms} ms: ${(1000 * picture).toFixed(1)} ms of picture, ${(1000 * sound).toFixed(1)} ms of sound`);
        if (!(Math.abs(sound - picture) <= 0.010)) throw new Error(found.join('; '));
      }
      await page.close();
      return found.join('; ');
    });
  },

  // On a phone, by touch: Choose range, then a drag on the bar marks the range
  // either way, a minute at most from where the drag began, without moving the
  // show; the strip stays while choosing; Save clip saves that range; the
  // toggle pressed again forgets it, and a tap on the bar seeks again.
  async touchRange({ browser, url }) {
    return withScratch(async (folder) => {
      const page = await openPhone(browser, `${url}?test#t=60000`);
      await downloadsTo(page, folder);
      const pressed = () => page.$eval('#choose-range', (b) => b.getAttribute('aria-pressed'));
      const tapOff = (selector) => tapUntil(page, selector, async () => (await pressed()) === 'false', 'left Choose range on');
      await tap(page, '#screen');
      await page.waitForFunction(() => vantrelleTest.state().playing);
      await page.waitForSelector('#strip.shown');
      const before = await page.evaluate(() => vantrelleTest.clock().picture);
      const started = Date.now();
      await tap(page, '#choose-range');
      const begun = await state(page);
      // It begins with the range Save clip would take anyway: 10 s from the moment shown.
      if ((await pressed()) !== 'true' || begun.clipRange?.to - begun.clipRange?.from !== 10000 ||
          Math.abs(begun.clipRange.from - before) > 1000) throw new Error(`Choose range began with ${JSON.stringify(begun.clipRange)} at ${before} ms`);

      const bar = await (await page.$('#scrub')).boundingBox();
      const y = bar.y + bar.height / 2;
      const at = (fraction) => bar.x + fraction * bar.width;
      const ms = (fraction) => fraction * (kShowEnd - 1);
      const near = (got, fraction) => Math.abs(got - ms(fraction)) <= kShowEnd / bar.width;
      const drag = async (a, b) => {
        await page.touchscreen.touchStart(at(a), y);
        for (let i = 1; i <= 4; ++i) await page.touchscreen.touchMove(at(a + (b - a) * i / 4), y);
        await page.touchscreen.touchEnd();
        await page.waitForSelector('#strip.shown');  // shown again as the drag ends
        return (await state(page)).clipRange;
      };
      const cases = [
        ['right', 0.2, 0.3, (r) => near(r.from, 0.2) && near(r.to, 0.3)],
        ['left', 0.5, 0.45, (r) => near(r.from, 0.45) && near(r.to, 0.5)],
        ['right, past a minute', 0.1, 0.9, (r) => near(r.from, 0.1) && r.to - r.from === 60000],
      ];
      for (const [name, a, b, holds] of cases) {
        const range = await drag(a, b);
        if (!range || !holds(range)) throw new Error(`${name}: ${JSON.stringify(range)}`);
      }
      const label = await page.$eval('#save-clip', (button) => button.getAttribute('aria-label'));
      if (label !== 'Save clip 0:25–1:25') throw new Error(`the button says "${label}"`);
      // The show plays on longer than the strip stays after a touch.
      await page.waitForFunction((t) => vantrelleTest.clock().picture >= t + 2500, { timeout: 10000 }, before);
      const playing = await page.evaluate(() => vantrelleTest.clock().picture);
      if (playing < before || playing > before + Date.now() - started + 1000) throw new Error(`the show moved from ${before} to ${playing} ms while choosing`);
      if (!(await page.$('#strip.shown'))) throw new Error('the strip hid while choosing');

      // A short range, saved: the file is named for exactly that range.
      const short = await drag(0.2, 0.205);
      await tapOff('#save-clip');
      const name = `vantrelle-t${String(short.from).padStart(6, '0')}-${String(short.to).padStart(6, '0')}`;
      const saved = () => readdirSync(folder).find((file) => /\.(mp4|webm)$/.test(file));
      await until(saved, `no clip saved for ${JSON.stringify(short)}`, 120000);
      if (!saved().startsWith(`${name}.`)) throw new Error(`saved ${saved()} for ${JSON.stringify(short)}`);

      // Again, then cancelled: the range is forgotten and a tap on the bar seeks.
      await tap(page, '#choose-range');
      await drag(0.2, 0.3);
      await tapOff('#choose-range');
      const cancelled = await state(page);
      const plain = await page.$eval('#save-clip', (button) => button.getAttribute('aria-label'));
      if ((await pressed()) !== 'false' || cancelled.clipRange !== null || plain !== 'Save clip') {
        throw new Error(`cancelling left ${JSON.stringify(cancelled.clipRange)}, "${plain}"`);
      }
      await page.touchscreen.tap(at(0.7), y);
      let sought;
      await until(async () => Math.abs((sought = await page.evaluate(() => vantrelleTest.clock().picture)) - ms(0.7)) <= 3000,
        () => `a tap at 70% is at ${sought} ms`);
      if ((await state(page)).clipRange !== null) throw new Error('a tap on the bar kept the range');
      await page.close();
      return `ranges drawn by touch either way, capped at 60 s ("${label}"), ${saved()} saved; cancelled, a tap seeks`;
    });
  },

  // By keys: Tab to Choose range, Space; the arrows move the range's far end
  // by 5 s, a minute at most, and never seek; Escape forgets the range and
  // leaves the show playing. By mouse: Shift and a drag on the bar choose a
  // range; a plain press forgets it and seeks.
  async desktopRange({ browser, url }) {
    const page = await open(browser, `${url}?test#t=60000`, undefined, { ready: true });
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => vantrelleTest.state().playing);
    for (let i = 0; i < 12 && (await page.evaluate(() => document.activeElement.id)) !== 'choose-range'; ++i) await page.keyboard.press('Tab');
    await page.keyboard.press('Space');
    const range = async () => (await state(page)).clipRange;
    const start = (await range()).from;
    const steps = [
      ['ArrowRight', 1, { from: start, to: start + 15000 }],
      ['ArrowLeft', 3, null],
      ['ArrowLeft', 1, { from: start - 5000, to: start }],
      ['ArrowLeft', 20, { from: start - 60000, to: start }],
    ];
    for (const [key, times, want] of steps) {
      for (let i = 0; i < times; ++i) await page.keyboard.press(key);
      const got = await range();
      if (JSON.stringify(got) !== JSON.stringify(want)) throw new Error(`${key} × ${times}: ${JSON.stringify(got)}, not ${JSON.stringify(want)}`);
    }
    const label = await page.$eval('#save-clip', (button) => button.getAttribute('aria-label'));
    const picture = await page.evaluate(() => vantrelleTest.clock().picture);
    if (picture > start + 10000) throw new Error(`the arrows moved the show to ${picture} ms`);
    await page.keyboard.press('Escape');
    const after = await state(page);
    const toggle = await page.$eval('#choose-range', (b) => b.getAttribute('aria-pressed'));
    if (after.clipRange !== null || !after.playing || toggle !== 'false') throw new Error(`Escape left ${JSON.stringify(after)}, pressed ${toggle}`);

    await showStrip(page);
    const bar = await page.$eval('#scrub', (s) => { const b = s.getBoundingClientRect(); return { left: b.left, width: b.width, y: b.top + b.height / 2 }; });
    const at = (fraction) => bar.left + fraction * bar.width;
    const near = (ms, fraction, slack = kShowEnd / bar.width) => Math.abs(ms - fraction * (kShowEnd - 1)) <= slack;
    await page.keyboard.down('Shift');
    await page.mouse.move(at(0.5), bar.y);
    await page.mouse.down();
    await page.mouse.move(at(0.45), bar.y, { steps: 5 });
    await page.mouse.up();
    await page.keyboard.up('Shift');
    const dragged = await range();
    if (!dragged || !near(dragged.from, 0.45) || !near(dragged.to, 0.5)) throw new Error(`Shift and a drag chose ${JSON.stringify(dragged)}`);
    await page.mouse.click(at(0.5), bar.y);
    let pressed;
    await until(async () => (pressed = await state(page)).clipRange === null && pressed.playing && near((await clock(page)).picture, 0.5, 3000),
      () => `a plain press at 50% left ${JSON.stringify(pressed)}`);
    await page.close();
    return `the arrows mark a range from ${start} ms either way, capped at 60 s ("${label}"); Escape forgets it and the show plays on; ` +
      'Shift and a drag choose a range; a plain press forgets it and seeks';
  },

  // A browser without WebCodecs: the button says so and cannot be pressed, nor can Choose range.
  async withoutWebCodecs({ browser, url }) {
    const page = await open(browser, `${url}?test`, undefined, { before: () => { delete window.VideoEncoder; delete window.AudioEncoder; } });
    const button = await page.$eval('#save-clip', (b) => ({ disabled: b.disabled, label: b.getAttribute('aria-label') }));
    const choose = await page.$eval('#choose-range', (b) => b.disabled);
    await page.close();
    if (!button.disabled || !/not in this browser/.test(button.label) || !choose) throw new Error(JSON.stringify({ ...button, choose }));
    return `the button is disabled: "${button.label}"`;
  },
};

process.exit(await runSuite('share', tests));
