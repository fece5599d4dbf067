// The scrub bar. Touch, mouse and pen alike: the pointer's place along the
// bar is a time; a press or a drag seeks there. The range Save clip saves,
// up to a minute from where it was begun: Shift and a drag along the bar,
// or, by touch and keys, the Choose range toggle, after which a drag on the
// bar or the arrow keys mark it. A plain press on the bar forgets it.
import { $, player } from './state.js';
import { minutes } from './address.js';
import { kDefaultClipMs } from './clip.js';
import { chooseRange } from './range.js';
import { kSeekMs } from './keys.js';

// `actions`: seekTo(ms), moment(); `showStrip()` after each touch.
export function startScrub(actions, showStrip) {
  const scrub = $('scrub');
  const timeAt = (event) => {
    const box = scrub.getBoundingClientRect();
    return Math.round(Math.min(Math.max(0, (event.clientX - box.left) / box.width), 1) * (player.end - 1));
  };
  let dragging = false;
  let anchor = null;  // where the range was begun, ms
  let far = 0;  // its other end, ms
  let drawing = false;
  let picking = false;
  const showRange = () => {
    const range = player.clipRange;
    $('range').hidden = !range;
    if (range) Object.assign($('range').style, { left: `${100 * range.from / player.end}%`, width: `${100 * (range.to - range.from) / player.end}%` });
    const label = range ? `Save clip ${minutes(range.from)}–${minutes(range.to)}` : 'Save clip';
    if (!$('save-clip').disabled) $('save-clip').setAttribute('aria-label', label);
  };
  const choose = (t) => {
    ({ far, range: player.clipRange } = chooseRange(anchor, t, player.end));
    showRange();
  };
  const setPicking = (on) => {
    picking = on;
    $('choose-range').setAttribute('aria-pressed', String(on));
    scrub.classList.toggle('choosing', on);
  };
  const cancelPicking = () => {
    setPicking(false);
    player.clipRange = null;
    showRange();
  };
  // The toggle begins at the moment shown with the range Save clip would take
  // anyway; pressed again (or Escape), it cancels and forgets the range.
  $('choose-range').addEventListener('click', (event) => {
    event.stopPropagation();
    if (!player.ready) return;
    if (picking) {
      cancelPicking();
    } else {
      setPicking(true);
      anchor = actions.moment();
      choose(anchor + kDefaultClipMs);
    }
    showStrip();
  });
  // Saving keeps the range and ends the choosing.
  $('save-clip').addEventListener('click', () => setPicking(false));

  scrub.addEventListener('pointerdown', (event) => {
    if (!player.ready) return;
    if (event.shiftKey || picking) {
      drawing = true;
      anchor = timeAt(event);
      scrub.setPointerCapture?.(event.pointerId);
      choose(anchor);
      showStrip();
      event.preventDefault();
      return;
    }
    if (player.clipRange) {
      player.clipRange = null;
      showRange();
    }
    dragging = true;
    scrub.setPointerCapture?.(event.pointerId);
    actions.seekTo(timeAt(event));
    showStrip();
    event.preventDefault();
  });
  scrub.addEventListener('pointermove', (event) => {
    if (drawing) choose(timeAt(event));
    else if (dragging) actions.seekTo(timeAt(event));
  });
  const release = () => { dragging = false; drawing = false; showStrip(); };
  scrub.addEventListener('pointerup', release);
  scrub.addEventListener('pointercancel', release);

  // While choosing, the arrow keys move the range's far end and Escape
  // cancels; true when `key` was taken so.
  function takeKey(key) {
    if (!picking || !['ArrowLeft', 'ArrowRight', 'Escape'].includes(key)) return false;
    if (key === 'Escape') cancelPicking();
    else choose(far + (key === 'ArrowRight' ? kSeekMs : -kSeekMs));
    return true;
  }
  // The strip stays while the bar is held or a range is being chosen.
  const held = () => dragging || picking;
  return { takeKey, held };
}
