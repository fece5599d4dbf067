// The page as a phone meets it, what it downloads, and its accessibility, in
// Debian's headless Chromium (offline play is the faults suite's).
import { axeFindings, bin, clock, kInStepMs, kShowEnd, open, openPhone as openOn, phone, playingWithSound, pngRgb, renderPng, runSuite, serve,
  showStrip, site, state, tap, tapUntil, until } from './harness.mjs';

const turned = { ...phone, width: 844, height: 390 };

// Headless Chromium has no screen to keep awake and refuses the lock; this
// stand-in grants it and counts what is held, as a phone would.
function fakeWakeLock() {
  window.wakeLocksHeld = 0;
  const wakeLock = {
    async request(type) {
      if (type !== 'screen') throw new TypeError(type);
      ++window.wakeLocksHeld;
      const sentinel = new EventTarget();
      sentinel.type = type;
      sentinel.released = false;
      sentinel.release = async () => {
        if (!sentinel.released) --window.wakeLocksHeld;
        sentinel.released = true;
      };
      return sentinel;
    },
  };
  Object.defineProperty(Navigator.prototype, 'wakeLock', { get: () => wakeLock, configurable: true });
}

// What the page sends to the speakers, every render quantum of the first
// channel with the context's frame, recorded on the audio thread into
// `window.heard`.
function recordHeard() {
  window.heard = [];
  const connect = AudioNode.prototype.connect;
  const recorder = `registerProcessor('heard', class extends AudioWorkletProcessor {
    process(inputs) {
      this.port.postMessage({ frame: currentFrame, data: inputs[0][0]?.slice() ?? new Float32Array(128) });
      return true;
    }
  });`;
  const taps = new Map();
  AudioNode.prototype.connect = function (target, ...rest) {
    if (!(target instanceof AudioDestinationNode)) return connect.call(this, target, ...rest);
    if (!taps.has(target)) {
      const tap = new GainNode(this.context);
      taps.set(target, tap);
      connect.call(tap, target);
      const module = URL.createObjectURL(new Blob([recorder], { type: 'text/javascript' }));
      this.context.audioWorklet.addModule(module).then(() => {
        const node = new AudioWorkletNode(this.context, 'heard');
        node.port.onmessage = (event) => window.heard.push(event.data);
        connect.call(tap, node);
        connect.call(node, target);
      });
    }
    return connect.call(this, taps.get(target), ...rest);
  };
}

const openPhone = (browser, address, viewport = phone) => openOn(browser, address, { viewport, before: fakeWakeLock });

// Picture and sound in step, `picture` within `slack` ms of `want`.
function together(now, want, slack) {
  return now.sound !== null && Math.abs(now.sound - now.picture) <= kInStepMs && Math.abs(now.picture - want) <= slack;
}

const tests = {
  // A tap plays and takes the wake lock. Upright, the show fills most of the
  // width; turned, landscape; it runs on through the turns. A tap shows the
  // strip; dragging the bar moves picture and sound together; the wake lock
  // follows pause and play.
  async touch({ browser, url }) {
    const page = await openPhone(browser, `${url}?test`);
    const held = () => page.evaluate(() => window.wakeLocksHeld);
    if ((await state(page)).playing) throw new Error('playing before any tap');
    await tap(page, '#screen');
    await playingWithSound(page);
    if (!(await state(page)).wakeLock || (await held()) !== 1) throw new Error('no wake lock held while playing');
    const shapes = [
      ['upright', phone, (box, s) => s.upright && box.pixelsWide === 240 && box.width >= 0.75 * phone.width],
      ['turned', turned, (box, s) => !s.upright && box.pixelsWide === 400 && box.height <= turned.height],
      ['upright again', phone, (box, s) => s.upright && box.pixelsWide === 240],
    ];
    let before = await clock(page);
    for (const [name, viewport, holds] of shapes) {
      await page.setViewport(viewport);
      let box, s;
      const canvasBox = () => page.$eval('#screen', (canvas) => ({ ...canvas.getBoundingClientRect().toJSON(), pixelsWide: canvas.width }));
      await until(async () => holds(box = await canvasBox(), s = await state(page)), () => `${name}: ${JSON.stringify({ ...box, upright: s.upright })}`);
      const now = await clock(page);
      // Still playing from where it was: no restart of picture or sound.
      if (!s.playing || s.paused || !together(now, before.picture + now.at - before.at, 150)) {
        throw new Error(`${name}: the show restarted or stopped (picture ${now.picture} ms, sound ${now.sound} ms, before ${before.picture} ms)`);
      }
      before = now;
    }
    // The strip hides while the show plays, and a tap brings it back without pausing.
    await page.waitForSelector('#strip:not(.shown)');
    await tap(page, '#screen');
    await page.waitForSelector('#strip.shown');
    if ((await state(page)).paused) throw new Error('the tap that shows the strip paused the show');
    const box = await (await page.$('#scrub')).boundingBox();
    const y = box.y + box.height / 2;
    const at = (fraction) => box.x + fraction * box.width;
    await page.touchscreen.touchStart(at(0.1), y);
    for (const fraction of [0.2, 0.35, 0.5]) await page.touchscreen.touchMove(at(fraction), y);
    await page.touchscreen.touchEnd();
    let dragged;
    await until(async () => together(dragged = await clock(page), 0.5 * kShowEnd, 1000),
      () => `after dragging to the middle: picture ${dragged.picture} ms, sound ${dragged.sound} ms`);
    const tapPlay = (paused) => tapUntil(page, '#play', async () => (await state(page)).paused === paused, `did not ${paused ? 'pause' : 'play on'}`);
    const locked = (held) => page.waitForFunction((held) =>
      vantrelleTest.state().wakeLock === held && window.wakeLocksHeld === Number(held), { timeout: 5000 }, held)
      .then(() => true, () => false);
    await tapPlay(true);
    if (!(await locked(false))) throw new Error(`pausing left the wake lock held: ${JSON.stringify(await state(page))}`);
    await tapPlay(false);
    if (!(await locked(true))) throw new Error('playing on did not take the wake lock again');
    await page.close();
    return 'a tap plays and holds the wake lock; upright at 82% of the width, landscape when turned, the show running on through both turns; ' +
      'the dragged bar moves picture and sound together; pause releases the lock';
  },

  // Played before the soundtrack has arrived: the picture starts at once and
  // the sound joins it where it is.
  // The server holds the soundtrack back for 4 s (intercepting the browser's
  // requests would hold up the engine's worker); a context of its own: no
  // service worker from the other tests.
  async lateSound({ browser }) {
    const server = await serve(site, {}, { held: (address) => address.endsWith('soundtrack.mp3') });
    const released = setTimeout(server.release, 4000);
    const page = await openOn(browser, `${server.url}?test`, { fresh: true });
    await tap(page, '#screen');
    await page.waitForFunction(() => vantrelleTest.state().playing);
    const early = { ...(await state(page)), ...(await clock(page)) };
    if (early.sound !== null) throw new Error(`before the soundtrack: ${JSON.stringify(early)}`);
    await playingWithSound(page);
    const joined = await clock(page);
    await page.close();
    clearTimeout(released);
    server.close();
    // The picture ran on as the sound joined it: no jump either way.
    if (!together(joined, early.picture + joined.at - early.at, 300) || joined.picture < 3000) {
      throw new Error(`the sound joined at ${JSON.stringify(joined)}, the picture at ${JSON.stringify(early)} before`);
    }
    return `the picture started at once, the sound joined at ${(joined.picture / 1000).toFixed(1)} s, within 1 ms of it`;
  },

  // On a phone's link the sound starts from the soundtrack's head before the
  // whole has arrived; once it has, the whole takes over where the head was,
  // without a jump in what is heard, and picture and sound go on together.
  async soundHead({ browser, url }) {
    // A context of its own: nothing cached by the other tests.
    const page = await openOn(browser, `${url}?test`, { fresh: true, before: recordHeard,
      setUp: (page) => page.emulateNetworkConditions({ download: 9e6 / 8, upload: 1.5e6 / 8, latency: 170 }) });
    await page.evaluate(() => vantrelleTest.soundtrack());
    const arrived = () => page.evaluate(() => performance.getEntriesByType('resource').some((e) => e.name.endsWith('soundtrack.mp3')));
    await tap(page, '#screen');
    await playingWithSound(page);
    const early = { ...(await state(page)), ...(await clock(page)), arrived: await arrived() };
    if (early.playingFrom !== 'head' || early.arrived) throw new Error(`playing before the whole arrived: ${JSON.stringify(early)}`);
    await page.waitForFunction(() => vantrelleTest.state().playingFrom === 'whole', { timeout: 30000 });
    // The clock across the swap and after it, every 200 ms of the show.
    const readings = [await clock(page)];
    for (let i = 1; i < 5; ++i) {
      await page.waitForFunction((last) => vantrelleTest.clock().picture >= last + 200, {}, readings.at(-1).picture);
      readings.push(await clock(page));
    }
    for (let i = 1; i < readings.length; ++i) {
      const [before, now] = [readings[i - 1], readings[i]];
      const moved = now.picture - before.picture;
      if (!together(now, now.picture, 0) || Math.abs(moved - (now.at - before.at)) > 50) {
        throw new Error(`after the swap: ${JSON.stringify(now)}, before it ${JSON.stringify(before)}`);
      }
    }
    const swapped = readings.at(-1);
    if (swapped.picture <= early.picture) throw new Error(`the picture went back from ${early.picture} to ${swapped.picture} ms`);
    // Each quantum heard since the music became loud enough to place, found
    // in the whole soundtrack: it follows the one before by as many samples
    // as frames passed, with nothing left out and no silence in between.
    const heard = await page.evaluate(async () => {
      const sound = await vantrelleTest.wholeSoundtrack();
      const whole = sound.getChannelData(0);
      const matches = (at, data) => at >= 0 && at + data.length <= whole.length &&
        data.every((x, i) => Math.abs(x - whole[at + i]) < 1e-6);
      const find = (data) => whole.findIndex((x, at) => Math.abs(x - data[0]) < 1e-6 && matches(at, data));
      const jumps = [];
      let last = null;
      let followed = 0;
      for (const { frame, data } of window.heard) {
        const expected = last && last.at + frame - last.frame;
        if (last && matches(expected, data)) {
          last = { at: expected, frame };
          ++followed;
          continue;
        }
        const found = data.some((x) => Math.abs(x) >= 0.05) ? find(data) : -1;
        if (last) jumps.push({ frame, expected, found });
        if (found >= 0) last = { at: found, frame };
      }
      return { followed, jumps, seconds: followed * 128 / sound.sampleRate };
    });
    await page.close();
    if (heard.jumps.length || heard.seconds < 2) throw new Error(`what was heard jumped: ${JSON.stringify(heard).slice(0, 500)}`);
    return `played from the head at ${(Math.max(0, early.picture) / 1000).toFixed(1)} s, the whole took over by ` +
      `${(swapped.picture / 1000).toFixed(1)} s, in step; ${heard.seconds.toFixed(1)} s heard without a jump`;
  },

  // The keys of the strip: M mutes and unmutes, Home goes back to the start, Tab reaches every control.
  async keys({ browser, url }) {
    const page = await openPhone(browser, `${url}?test#t=60000`, { width: 800, height: 600 });
    await page.keyboard.press('Enter');
    await playingWithSound(page);
    const steps = [
      ['m', async () => (await state(page)).muted],
      ['M', async () => !(await state(page)).muted],
      ['Home', async () => together(await clock(page), 0, 300)],
    ];
    for (const [key, holds] of steps) {
      await page.keyboard.press(key);
      await until(holds, `${key} did not act`);
    }
    const reached = [];
    for (let i = 0; i < 13; ++i) {
      await page.keyboard.press('Tab');
      reached.push(await page.evaluate(() => document.activeElement.id));
    }
    for (const id of ['play', 'scrub', 'mute', 'copy-link', 'save-still', 'choose-range', 'save-clip', 'clip-upright', 'reduce-flashing', 'fullscreen']) {
      if (!reached.includes(id)) throw new Error(`Tab never reaches #${id} (reached ${reached.join(', ')})`);
    }
    await page.close();
    return 'M mutes and unmutes, Home goes back to the start, Tab reaches every control';
  },

  // Without the Fullscreen API (as on iPhones), full screen is an overlay that
  // fills the viewport; the lock screen knows the show's title and artwork.
  async overlay({ browser, url }) {
    const page = await openOn(browser, `${url}?test`, { before: () => {
      Object.defineProperty(Document.prototype, 'fullscreenEnabled', { get: () => false, configurable: true });
    } });
    await page.focus('#fullscreen');
    await page.keyboard.press('Enter');
    const shown = await page.evaluate(() => {
      const main = document.querySelector('main').getBoundingClientRect();
      return { overlay: document.body.classList.contains('overlay'), width: main.width, height: main.height,
        scrolled: document.scrollingElement.scrollHeight > innerHeight, real: Boolean(document.fullscreenElement) };
    });
    if (!shown.overlay || shown.real || shown.width !== phone.width || shown.height !== phone.height || shown.scrolled) {
      throw new Error(`full screen without the API: ${JSON.stringify(shown)}`);
    }
    const session = await page.evaluate(() => ({ title: navigator.mediaSession.metadata?.title,
      artwork: navigator.mediaSession.metadata?.artwork.length }));
    if (session.title !== 'Vantrelle X2' || !session.artwork) throw new Error(`media session: ${JSON.stringify(session)}`);
    await page.close();
    return 'without the Fullscreen API, full screen fills the viewport and nothing scrolls; the lock screen has title and artwork';
  },

  // ?embed: keys do not start the show and never scroll the page around it; a click does start it.
  async embed({ browser, url }) {
    const host = await browser.newPage();
    await host.setViewport({ width: 800, height: 600 });
    await host.setContent(`<div style="height: 300px"></div><iframe src="${url}?test&embed" width="640" height="400"></iframe><div style="height: 3000px"></div>`);
    const frame = await (await host.$('iframe')).contentFrame();
    await frame.waitForFunction(() => window.vantrelleTest !== undefined);
    await frame.evaluate(() => vantrelleTest.ready);
    await host.$eval('iframe', (element) => element.focus());
    await frame.evaluate(() => { window.keysSeen = 0; addEventListener('keydown', () => ++window.keysSeen); });
    for (const key of ['Enter', 'ArrowDown', ' ', 'PageDown']) await host.keyboard.press(key);
    // Each key has reached the frame, and any scrolling it made has begun.
    await frame.waitForFunction(() => window.keysSeen === 4);
    await host.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
    const scrolled = await host.evaluate(() => scrollY);
    if (scrolled !== 0) throw new Error(`keys in the frame scrolled the page by ${scrolled} px`);
    if ((await frame.evaluate(() => vantrelleTest.state())).playing) throw new Error('a key started the show');
    await (await host.$('iframe')).click();
    await frame.waitForFunction(() => vantrelleTest.state().playing, { timeout: 30000 });
    await host.close();
    return 'embedded, keys never scroll the page and do not start the show; a click does';
  },

  // What the page downloads: the data pack and the engine build it runs, the
  // soundtrack only once the data is in; ?data= still takes plain files.
  async downloads({ browser, url }) {
    const fetched = async (query) => {
      const page = await open(browser, `${url}${query}`, undefined, { ready: true });
      await page.evaluate(() => vantrelleTest.wholeSoundtrack());
      // The page's downloads and its engine's (in its worker, where it runs there).
      const entries = await page.evaluate(async () => [...performance.getEntriesByType('resource'), ...await vantrelleTest.engineDownloads()]
        .map((e) => ({ name: new URL(e.name).pathname.slice(1), start: e.startTime, end: e.responseEnd })));
      await page.close();
      return new Map(entries.map((e) => [e.name, e]));
    };
    const packed = await fetched('?test');
    const plainData = [...packed.keys()].filter((name) => /^data\/(gfx|mesh)\//.test(name));
    const scalar = [...packed.keys()].filter((name) => name.includes('scalar'));
    const [pack, sound] = [packed.get('data.pack'), packed.get('data/music/soundtrack.mp3')];
    if (!pack || plainData.length || scalar.length || !packed.has('vantrelle.wasm.gz') || !packed.has('vantrelle.mjs') || packed.has('vantrelle.wasm')) {
      throw new Error(`downloaded: ${[...packed.keys()].join(', ')}`);
    }
    if (!sound || sound.start < pack.end) throw new Error('the soundtrack did not wait for the data');
    const plain = await fetched('?test&data=data/');
    if (plain.has('data.pack') || !plain.has('data/gfx/clip01.raw')) throw new Error(`?data=: ${[...plain.keys()].join(', ')}`);
    return 'the data pack and the vector engine (its WebAssembly zipped) alone, the soundtrack after the data; ?data= takes plain files';
  },

  // A shared link's preview and the installed app: the tags name files that
  // exist, and the poster is the show's frame at 2 s, three times its size
  // less 45 rows at the top and at the bottom.
  async preview({ browser, url }) {
    const page = await open(browser, `${url}?test`);
    const tags = await page.evaluate(() => Object.fromEntries([...document.querySelectorAll('meta[property], meta[name]')]
      .map((meta) => [meta.getAttribute('property') ?? meta.name, meta.content])));
    const manifest = await page.evaluate(async () => (await fetch(document.querySelector('link[rel=manifest]').href)).json());
    await page.close();
    for (const name of ['og:title', 'og:description', 'og:image', 'twitter:card', 'twitter:image']) {
      if (!tags[name]) throw new Error(`no ${name}`);
    }
    if (manifest.display !== 'fullscreen' || manifest.name !== 'Vantrelle X2' || manifest.theme_color !== '#000000') {
      throw new Error(`manifest: ${JSON.stringify(manifest)}`);
    }
    const served = async (address) => Buffer.from(await (await fetch(new URL(address, url))).arrayBuffer());
    for (const icon of manifest.icons) {
      const { width, height } = pngRgb(await served(icon.src));
      if (`${width}x${height}` !== icon.sizes) throw new Error(`${icon.src} is ${width}x${height}`);
    }
    const poster = pngRgb(await served(tags['og:image']));
    const frame = await renderPng(bin, 2000, 3);
    const at = poster.rgb.findIndex((byte, i) => byte !== frame.rgb[i + 3 * 1200 * 45]) / 3;
    if (poster.width !== 1200 || poster.height !== 630 || at >= 0) {
      throw new Error(`the poster is ${poster.width}x${poster.height}; pixel ${at % 1200}, ${Math.floor(at / 1200)} differs`);
    }
    return `link preview tags, a manifest with ${manifest.icons.length} icons, a 1200 × 630 poster from the show`;
  },

  // axe-core: no serious or critical findings on the title card and with the controls shown.
  async accessibility({ browser, url }) {
    const page = await browser.newPage();
    await page.setViewport({ width: 800, height: 600 });
    await page.goto(url);
    await page.waitForFunction(() => performance.getEntriesByName('first-frame').length > 0);
    for (const when of ['title card', 'controls shown']) {
      if (when === 'controls shown') await showStrip(page);
      const found = await axeFindings(page);
      if (found.length) throw new Error(`${when}: ${found.join('; ')}`);
    }
    // Big enough for a thumb: every target of the strip at least 44 CSS px each way (those hidden here are none).
    const small = await page.$$eval('#strip button:not([hidden]), #strip [role=slider]', (targets) => targets
      .map((target) => [target.id, target.getBoundingClientRect()]).filter(([, box]) => box.width < 44 || box.height < 44)
      .map(([id, box]) => `#${id} ${box.width} × ${box.height}`));
    if (small.length) throw new Error(`targets under 44 px: ${small.join(', ')}`);
    await page.close();
    return 'axe-core finds nothing serious or critical on the title card or with the controls shown; every target 44 px or more';
  },
};

process.exit(await runSuite('phone', tests));
