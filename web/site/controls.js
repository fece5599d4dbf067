// Controls and input: the control strip (play/pause, the scrub bar with the
// segment marks and where the show flashes, the times, mute, full screen), keys, clicks and taps.
// A button in the strip names its action in data-action; adding one is a
// button in index.html and an entry in `actions`.
import { $, embedded, player } from './state.js';
import { isFullscreen } from './session.js';
import { minutes } from './address.js';
import { keyAction, kScrollKeys } from './keys.js';
import { makeFlashMarks, markSegments } from './marks.js';
import { startScrub } from './scrub.js';
import { makeStrip } from './strip.js';

export { kSeekMs } from './keys.js';

// `actions`: togglePlay, toggleReduceFlashing, end, home, seekBy(ms), seekTo(ms), toggleMute, toggleFullscreen,
// moment() (the time on the screen, ms).
export function startControls(actions) {
  const strip = $('strip');
  const scrub = $('scrub');
  const total = minutes(player.end);
  $('total').textContent = total;
  scrub.setAttribute('aria-valuemax', String(Math.floor(player.end / 1000)));
  markSegments(player.segmentStarts, player.end);
  // Where the unreduced show flashes, from player.flashStretches, again after each data set.
  const markFlashes = makeFlashMarks(player.end);

  const bar = startScrub(actions, () => showStrip());
  const { show: showStrip, shown: stripShown } = makeStrip(strip, () => !player.playing || player.paused || bar.held());

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
    if (!player.ready || event.target.closest('#strip, #buttons')) return;
    if (player.playing && lastPointer === 'touch' && !strip.classList.contains('shown')) {
      showStrip();
      return;
    }
    actions.togglePlay();
    showStrip();
  });
  addEventListener('dblclick', (event) => { if (!event.target.closest('#strip, #buttons')) actions.toggleFullscreen(); });
  addEventListener('pointermove', (event) => { if (event.pointerType === 'mouse' && player.ready) showStrip(); });

  // The page's own keys never reach anything else; embedded, nothing scrolls the page around it.
  addEventListener('keydown', (event) => {
    if (event.ctrlKey || event.altKey || event.metaKey) return;
    const key = event.key;
    const onButton = event.target.closest?.('button, label, input');
    if (onButton && (key === ' ' || key === 'Enter')) return;  // the button's own
    const pass = () => { if (embedded && kScrollKeys.has(key)) event.preventDefault(); };
    if (!player.ready) return pass();
    if (!bar.takeKey(key)) {
      const action = keyAction(key, { playing: player.playing, embedded, fullscreen: isFullscreen() });
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
    document.body.classList.toggle('paused', player.paused);
    const play = $('play');
    const label = player.playing && !player.paused ? 'Pause' : 'Play';
    if (play.getAttribute('aria-label') !== label) play.setAttribute('aria-label', label);
    $('mute').setAttribute('aria-pressed', String(player.muted));
    if (!stripShown() && player.playing) return;
    const text = minutes(time);
    $('done').style.width = `${100 * time / player.end}%`;
    if (text !== shownText) {
      shownText = text;
      $('elapsed').textContent = text;
      scrub.setAttribute('aria-valuenow', String(Math.floor(time / 1000)));
      scrub.setAttribute('aria-valuetext', `${text} of ${total}`);
    }
  }
  return { update, showStrip, markFlashes: () => markFlashes(player.flashStretches) };
}
