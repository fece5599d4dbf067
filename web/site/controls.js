// Controls and input: the control strip (play/pause, the scrub bar with the
// segment marks and where the show flashes, the times, mute, full screen), keys, clicks and taps.
// A button in the strip names its action in data-action; adding one is a
// button in index.html and an entry in `actions`.
import { $, embedded } from './page.js';
import { isMuted } from './clock.js';
import { isPaused, isReady, isRunning, isShowing } from './phase.js';
import { isFullscreen } from './session.js';
import { minutes } from './minutes.js';
import { keyAction, kScrollKeys } from './keys.js';
import { makeFlashMarks, markSegments } from './marks.js';
import { startScrub } from './scrub.js';
import { makeStrip } from './strip.js';

export { kSeekMs } from './keys.js';

// `actions`: togglePlay, toggleReduceFlashing, end, home, seekBy(ms), seekTo(ms), toggleMute, toggleFullscreen,
// moment() (the time on the screen, ms); `segmentStarts`: where each segment starts, ms, then the show's end.
export function startControls(actions, segmentStarts) {
  const end = segmentStarts.at(-1);
  const strip = $('strip');
  const scrub = $('scrub');
  const total = minutes(end);
  $('total').textContent = total;
  scrub.setAttribute('aria-valuemax', String(Math.floor(end / 1000)));
  markSegments(segmentStarts, end);
  const markFlashes = makeFlashMarks(end);

  const bar = startScrub(actions, () => showStrip(), end);
  const { show: showStrip, shown: stripShown } = makeStrip(strip, () => !isRunning() || bar.held());

  for (const button of strip.querySelectorAll('button[data-action]')) {
    button.addEventListener('click', (event) => {
      event.stopPropagation();
      actions[button.dataset.action]();
      showStrip();
    });
  }
  strip.addEventListener('focusin', showStrip);

  // A tap shows the strip; with the strip shown, it plays or pauses. A click always does.
  let lastPointer = 'mouse';
  addEventListener('pointerdown', (event) => { lastPointer = event.pointerType; }, true);
  addEventListener('click', (event) => {
    if (!isReady() || event.target.closest('#strip, #buttons')) return;
    if (isShowing() && lastPointer === 'touch' && !strip.classList.contains('shown')) {
      showStrip();
      return;
    }
    actions.togglePlay();
    showStrip();
  });
  addEventListener('dblclick', (event) => { if (!event.target.closest('#strip, #buttons')) actions.toggleFullscreen(); });
  addEventListener('pointermove', (event) => { if (event.pointerType === 'mouse' && isReady()) showStrip(); });

  // The page's own keys never reach anything else; embedded, nothing scrolls the page around it.
  addEventListener('keydown', (event) => {
    if (event.ctrlKey || event.altKey || event.metaKey) return;
    const key = event.key;
    const onButton = event.target.closest?.('button, label, input');
    if (onButton && (key === ' ' || key === 'Enter')) return;  // the button's own
    const pass = () => { if (embedded && kScrollKeys.has(key)) event.preventDefault(); };
    if (!isReady()) return pass();
    if (!bar.takeKey(key)) {
      const action = keyAction(key, { playing: isShowing(), embedded, fullscreen: isFullscreen() });
      if (!action) return pass();
      const [name, ...args] = action;
      actions[name](...args);
    }
    showStrip();
    event.preventDefault();
  });

  // Called on every state change and, while the strip shows, every frame.
  let shownText = '';
  function update(time) {
    document.body.classList.toggle('paused', isPaused());
    const play = $('play');
    const label = isRunning() ? 'Pause' : 'Play';
    if (play.getAttribute('aria-label') !== label) play.setAttribute('aria-label', label);
    $('mute').setAttribute('aria-pressed', String(isMuted()));
    if (!stripShown() && isShowing()) return;
    const text = minutes(time);
    $('done').style.width = `${100 * time / end}%`;
    if (text !== shownText) {
      shownText = text;
      $('elapsed').textContent = text;
      scrub.setAttribute('aria-valuenow', String(Math.floor(time / 1000)));
      scrub.setAttribute('aria-valuetext', `${text} of ${total}`);
    }
  }
  return { update, showStrip, markFlashes };
}
