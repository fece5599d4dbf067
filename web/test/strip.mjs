// The strip's extras in Debian's headless Chromium: picture-in-picture (the
// canvas's stream in the small window, the show going on in a hidden tab, the
// small window's play and pause) and the overflow menu of narrow screens.
import { axeFindings, clock, kShowEnd, open, openPhone, phone, playingWithSound, runSuite, state } from './harness.mjs';

const desktop = { width: 800, height: 600, deviceScaleFactor: 1 };
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const kMarked = ['clip-upright', 'reduce-flashing', 'pip'];  // the controls index.html marks data-overflow

// Headless Chromium keeps a page visible behind other tabs; this hides it as
// a browser hides a tab: visibilityState 'hidden' and no more animation
// frames.
function hidingTab() {
  let hidden = false;
  const held = [];
  const animationFrame = window.requestAnimationFrame;
  window.requestAnimationFrame = (callback) => (hidden ? held.push(callback) : animationFrame(callback));
  Object.defineProperty(Document.prototype, 'visibilityState', { get: () => (hidden ? 'hidden' : 'visible'), configurable: true });
  Object.defineProperty(Document.prototype, 'hidden', { get: () => hidden, configurable: true });
  window.hideTab = (on) => {
    hidden = on;
    document.dispatchEvent(new Event('visibilitychange'));
    if (!on) held.splice(0).forEach((callback) => animationFrame(callback));
  };
}

const openPage = (browser, url, viewport) => openPhone(browser, `${url}?test`, { viewport, before: hidingTab });

const expect = (what, ok, seen) => { if (!ok) throw new Error(`${what}: ${JSON.stringify(seen)}`); };
// What the browser tells assistive technology the element is called.
const nameOf = async (page, selector) => (await page.accessibility.snapshot({ root: await page.$(selector), interestingOnly: false }))?.name;

// Over `ms` of the page's time: how far the show's clock and sound moved, and how many frames were drawn.
async function watch(page, ms) {
  const before = { ...(await clock(page)), drawn: await page.evaluate(() => vantrelleTest.framesPainted()) };
  await sleep(ms);
  const after = { ...(await clock(page)), drawn: await page.evaluate(() => vantrelleTest.framesPainted()) };
  return { moved: after.picture - before.picture, drawn: after.drawn - before.drawn,
    gap: after.sound === null ? null : Math.abs(after.sound - after.picture) };
}

const tests = {
  // Entering shows the canvas's own stream; the show plays on, also in a hidden
  // tab, drawn by the hidden clock; the video's play and pause drive the show;
  // leaving gives the page back with the show still on.
  async pictureInPicture({ browser, url }) {
    const page = await openPage(browser, url, desktop);
    expect('the control\'s name', (await nameOf(page, '#pip')) === 'Picture in picture', await nameOf(page, '#pip'));
    await page.mouse.click(400, 300);
    await playingWithSound(page);
    await page.focus('#pip');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => document.pictureInPictureElement !== null, { timeout: 5000 });
    const entered = await page.evaluate(() => {
      const video = document.pictureInPictureElement;
      const [track] = video.srcObject?.getVideoTracks() ?? [];
      return { fromScreen: track?.canvas === document.getElementById('screen'), live: track?.readyState === 'live',
        size: [video.videoWidth, video.videoHeight], pressed: document.getElementById('pip').getAttribute('aria-pressed') };
    });
    expect('in the small window, the canvas\'s own live stream at the canvas\'s size',
      entered.fromScreen && entered.live && entered.size.join() === '400,240' && entered.pressed === 'true', entered);
    // Frames reach the video: it presents new ones while the show runs.
    const presented = await page.evaluate(() => new Promise((resolve) => {
      let count = 0;
      const video = document.pictureInPictureElement;
      const counted = () => { if (++count < 10) video.requestVideoFrameCallback(counted); else resolve(count); };
      video.requestVideoFrameCallback(counted);
      setTimeout(() => resolve(count), 3000);
    }));
    expect('frames presented by the video in 3 s', presented >= 10, presented);

    // How the show goes on, in each case: [case, set up, holds over 1 s].
    const cases = [
      ['shown in the tab', async () => {}, (w) => w.drawn >= 20 && w.moved >= 800],
      ['tab hidden', () => page.evaluate(() => window.hideTab(true)), (w) => w.drawn >= 20 && w.moved >= 800],
      ['paused from the small window', () => page.evaluate(() => document.pictureInPictureElement.pause()),
        (w, s) => s.paused && w.moved === 0 && w.gap === null],
      ['played from the small window', () => page.evaluate(() => document.pictureInPictureElement.play()),
        (w, s) => s.playing && !s.paused && w.drawn >= 20 && w.moved >= 800],
    ];
    for (const [name, setUp, holds] of cases) {
      await setUp();
      await sleep(300);
      const w = await watch(page, 1000);
      const s = await state(page);
      expect(name, holds(w, s) && (s.paused || w.gap <= 1), { ...w, paused: s.paused });
    }
    // The show paused in the page holds the video too.
    await page.evaluate(() => { window.hideTab(false); document.activeElement.blur(); });
    await page.keyboard.press('Space');
    await page.waitForFunction(() => document.pictureInPictureElement?.paused === true, { timeout: 2000 })
      .catch(() => { throw new Error('paused in the page, the video played on'); });
    await page.keyboard.press('Space');
    await page.waitForFunction(() => document.pictureInPictureElement?.paused === false, { timeout: 2000 })
      .catch(() => { throw new Error('played on in the page, the video held'); });

    await page.evaluate(() => document.exitPictureInPicture());
    await page.waitForFunction(() => document.getElementById('pip').getAttribute('aria-pressed') === 'false', { timeout: 5000 }).catch(() => {});
    const back = await page.evaluate(() => ({ videos: document.querySelectorAll('video').length, focus: document.activeElement?.id,
      pressed: document.getElementById('pip').getAttribute('aria-pressed') }));
    expect('left: the stream gone, the control unpressed and focused', back.videos === 0 && back.pressed === 'false' && back.focus === 'pip', back);
    const after = await watch(page, 1000);
    expect('left: the show plays on in the page', after.drawn >= 20 && after.moved >= 800 && after.gap <= 1, after);
    // Hidden without the small window, nothing is drawn for nobody; the sound goes on.
    await page.evaluate(() => window.hideTab(true));
    await sleep(300);
    const unseen = await watch(page, 1000);
    await page.evaluate(() => window.hideTab(false));
    expect('hidden without picture-in-picture: no frames drawn, the clock on', unseen.drawn === 0 && unseen.moved >= 800, unseen);
    await page.close();
    return `the canvas's stream in the small window (${presented} frames in under 3 s); the show drawn on, also hidden `
      + '(the hidden tab\'s clock), paused and played from the video, held with the page; left, the page plays on';
  },

  // Held at a moment that flashes, the small window shows what the page shows:
  // the exact frame, then, switched, the reduced one. The video's picture
  // has been through a video encoding, so it is matched to the nearer of the two.
  async pictureFollowsFlashing({ browser, url }) {
    const page = await openPage(browser, url, desktop);
    await page.mouse.click(400, 300);
    await playingWithSound(page);
    await page.keyboard.press('Space');
    const { flashStretches: [{ from, to }], reduceFlashing: startedReduced } = await state(page);
    const box = await (await page.$('#scrub')).boundingBox();
    await page.mouse.move(400, 500);
    await page.mouse.click(box.x + box.width * ((from + to) / 2) / kShowEnd, box.y + box.height / 2);
    const t = (await clock(page)).picture;
    await page.focus('#pip');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => document.pictureInPictureElement !== null, { timeout: 5000 });
    // Mean distance per channel of the video's picture from the exact and from the reduced frame at t.
    const distances = () => page.evaluate(async (t) => {
      await new Promise((resolve) => setTimeout(resolve, 500));
      const video = document.pictureInPictureElement;
      const scratch = new OffscreenCanvas(video.videoWidth, video.videoHeight).getContext('2d');
      scratch.drawImage(video, 0, 0);
      const seen = scratch.getImageData(0, 0, video.videoWidth, video.videoHeight).data;
      const from565 = (frame) => {
        const pixels = new Uint16Array(frame.buffer);
        let sum = 0;
        for (let i = 0; i < pixels.length; ++i) {
          const p = pixels[i];
          sum += Math.abs(seen[4 * i] - ((p >> 11) << 3)) + Math.abs(seen[4 * i + 1] - (((p >> 5) & 63) << 2)) + Math.abs(seen[4 * i + 2] - ((p & 31) << 3));
        }
        return sum / (3 * pixels.length);
      };
      return { exact: from565(await vantrelleTest.frameAt(t)), reduced: from565(await vantrelleTest.reducedFrameAt(t)) };
    }, t);
    const before = await distances();
    await page.keyboard.press('r');
    const after = await distances();
    await page.close();
    // The mode kept in this browser by an earlier test may start it reduced.
    const [exact, reduced] = startedReduced ? [after, before] : [before, after];
    expect(`at ${t} ms, the small window's picture nearer the frame the page shows, before and after the switch`,
      exact.exact < exact.reduced && reduced.reduced < reduced.exact, { startedReduced, before, after });
    return `held at ${t} ms: the exact frame (${exact.exact.toFixed(1)} from it), switched, the reduced one (${reduced.reduced.toFixed(1)})`;
  },

  // The marked controls sit in the strip on a wide screen and behind More on a
  // phone, keep their names, and are reached and left by the keyboard.
  async overflowMenu({ browser, url }) {
    const widths = [['desktop', desktop, false], ['phone', phone, true]];
    const names = {};
    for (const [name, viewport, narrow] of widths) {
      const page = await openPage(browser, url, viewport);
      const placed = await page.evaluate((ids) => ({
        inMenu: ids.filter((id) => document.getElementById(id).parentElement.id === 'more-menu'),
        more: !document.getElementById('more').hidden,
      }), kMarked);
      expect(`${name}: the marked controls in the menu exactly when narrow, and More with them`,
        placed.inMenu.length === (narrow ? kMarked.length : 0) && placed.more === narrow, placed);
      if (!narrow) {
        names[name] = await Promise.all(kMarked.map((id) => nameOf(page, `#${id}`)));
        await page.close();
        continue;
      }
      // Playing, so that Escape or an arrow key reaching the page would end or move the show.
      await page.touchscreen.tap(195, 300);
      await page.waitForFunction(() => vantrelleTest.state().playing);
      await page.focus('#more');
      await page.keyboard.press('Enter');
      const focused = () => page.evaluate(() => document.activeElement?.id);
      const steps = [
        ['Enter on More', null, 'clip-upright'],
        ['ArrowDown', 'ArrowDown', 'reduce-flashing'],
        ['ArrowDown again', 'ArrowDown', 'pip'],
        ['ArrowDown past the end', 'ArrowDown', 'clip-upright'],
        ['ArrowUp past the start', 'ArrowUp', 'pip'],
        ['Home', 'Home', 'clip-upright'],
      ];
      const t0 = (await clock(page)).picture;
      for (const [step, key, want] of steps) {
        if (key) await page.keyboard.press(key);
        expect(`${step}: the focus`, (await focused()) === want, await focused());
      }
      names[name] = await Promise.all(kMarked.map((id) => nameOf(page, `#${id}`)));
      expect('More says it is open', await page.$eval('#more', (b) => b.getAttribute('aria-expanded')) === 'true', 'closed');
      // Every target of the strip a thumb's size, and the buttons left in the strip on one row of its width.
      const boxes = await page.$$eval('#strip button:not([hidden]), #strip [role=slider]', (targets) => targets.map((target) => {
        const box = target.getBoundingClientRect();
        return { id: target.id, inMenu: Boolean(target.closest('#more-menu')), top: box.top, left: box.left, right: box.right, width: box.width, height: box.height };
      }));
      const small = boxes.filter((box) => box.width < 44 || box.height < 44);
      expect('targets under 44 px', small.length === 0, small);
      const row = boxes.filter((box) => !box.inMenu && box.id !== 'scrub');
      expect('the strip\'s buttons on one row within the screen',
        row.every((box) => box.top === row[0].top && box.left >= 0 && box.right <= phone.width), row);
      const reduced = (await state(page)).reduceFlashing;
      await page.keyboard.press('ArrowDown');  // from the clip's shape to the switch
      await page.keyboard.press(' ');
      expect('Space on the menu\'s switch turns it over', (await state(page)).reduceFlashing === !reduced, reduced);
      const found = await axeFindings(page);
      expect('axe-core with the menu open', found.length === 0, found);
      await page.keyboard.press('Escape');
      const closed = await page.evaluate(() => ({ expanded: document.getElementById('more').getAttribute('aria-expanded'),
        hidden: document.getElementById('more-menu').hidden, focus: document.activeElement?.id }));
      const s = await state(page);
      expect('Escape closes the menu and gives the focus back to More, the show left alone',
        closed.expanded === 'false' && closed.hidden && closed.focus === 'more' && s.playing && (await clock(page)).picture >= t0, { ...closed, playing: s.playing });
      // Tab goes in after More and, past the last, out of the menu, which closes.
      await page.keyboard.press('Enter');
      await page.keyboard.press('End');
      await page.keyboard.press('Tab');
      expect('Tab out of the menu closes it', await page.$eval('#more-menu', (menu) => menu.hidden), 'open');
      // Wide again: every control back in its place, in the page's own order.
      await page.setViewport(desktop);
      await sleep(200);
      const order = await page.$$eval('#strip > button', (buttons) => buttons.map((b) => b.id).join());
      const fresh = await open(browser, `${url}?test`);
      const written = await fresh.$$eval('#strip > button', (buttons) => buttons.map((b) => b.id).join());
      await fresh.close();
      expect('wide again, the strip as written', order === written, { order, written });
      await page.close();
    }
    expect('names the same in the menu as in the strip', names.phone.join() === names.desktop.join() && names.phone.every(Boolean), names);
    return 'in the strip when wide, behind More on a phone; arrow keys, Home, Space, Tab and Escape; names kept; 44 px targets on one row; axe-core clean';
  },
};

process.exit(await runSuite('strip', tests));
