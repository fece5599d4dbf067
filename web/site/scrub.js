// The scrub bar. Touch, mouse and pen alike: the pointer's place along the
// bar is a time; a press or a drag seeks there. The range Save clip saves,
// up to a minute from where it was begun: Shift and a drag along the bar,
// or, by touch and keys, the Choose range toggle, after which a drag on the
// bar or the arrow keys mark it. A plain press on the bar forgets it.
import { $ } from './page.js';
import { isReady } from './phase.js';
import { minutes } from './minutes.js';
import { kDefaultClipMs } from './clip.js';
import { chooseRange } from './range.js';
import { kSeekMs } from './keys.js';

let chosen = null;  // { from, to } ms: the range chosen; null for the default
export const clipRange = () => chosen;

// `actions`: seekTo(ms), moment(); `showStrip()` after each touch; `end`: the show's end, ms.
export function startScrub(actions, showStrip, end) {
  const scrub = $('scrub');
  const timeAt = (event) => {
    const box = scrub.getBoundingClientRect();
    return Math.round(Math.min(Math.max(0, (event.clientX - box.left) / box.width), 1) * (end - 1));
  };
  let dragging = false;
  let anchor = null;  // where the range was begun, ms
  let far = 0;  // its other end, ms
  let drawing = false;
  let picking = false;
  const showRange = () => {
    const range = chosen;
    $('range').hidden = !range;
    if (range) Object.assign($('range').style, { left: `${100 * range.from / end}%`, width: `${100 * (range.to - range.from) / end}%` });
    const label = range ? `Save clip ${minutes(range.from)}–${minutes(range.to)}` : 'Save clip';
    if (!$('save-clip').disabled) $('save-clip').setAttribute('aria-label', label);
  };
  const choose = (t) => {
    ({ far, range: chosen } = chooseRange(anchor, t, end));
    showRange();
  };
  const setPicking = (on) => {
    picking = on;
    $('choose-range').setAttribute('aria-pressed', String(on));
    scrub.classList.toggle('choosing', on);
  };
  const cancelPicking = () => {
    setPicking(false);
    chosen = null;
    showRange();
  };
  // The toggle begins at the moment shown with the range Save clip would take
  // anyway; pressed again (or Escape), it cancels and forgets the range.
  $('choose-range').addEventListener('click', (event) => {
    event.stopPropagation();
    if (!isReady()) return;
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
    if (!isReady()) return;
    if (event.shiftKey || picking) {
      drawing = true;
      anchor = timeAt(event);
      scrub.setPointerCapture?.(event.pointerId);
      choose(anchor);
      showStrip();
      event.preventDefault();
      return;
    }
    if (chosen) {
      chosen = null;
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
