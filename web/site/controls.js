// Controls and input: the control strip (play/pause, the scrub bar with the
// segment marks and where the show flashes, the times, mute, full screen), keys, clicks and taps.
// A button in the strip names its action in data-action; adding one is a
// button in index.html and an entry in `actions`.
import { $, embedded, player } from './state.js';
import { isFullscreen } from './session.js';
import { kDefaultClipMs, kMaxClipMs } from './clip.js';
import { minutes } from './minutes.js';

export const kSeekMs = 5000;  // one press of an arrow key
const kStripShownMs = 2000;  // while playing, the strip hides this long after the last touch or move

// `actions`: togglePlay, toggleReduceFlashing, end, home, seekBy(ms), seekTo(ms), toggleMute, toggleFullscreen,
// moment() (the time on the screen, ms).
export function startControls(actions) {
  const strip = $('strip');
  const scrub = $('scrub');
  const total = minutes(player.end);
  $('total').textContent = total;
  scrub.setAttribute('aria-valuemax', String(Math.floor(player.end / 1000)));
  for (let i = 1; i < player.segmentStarts.length - 1; ++i) {
    const mark = document.createElement('div');
    mark.className = 'mark';
    mark.style.left = `${100 * player.segmentStarts[i] / player.end}%`;
    $('track').append(mark);
  }

  // Where the unreduced show flashes, from player.flashStretches, again after each data set.
  const flashMarks = [];
  function markFlashes() {
    for (const mark of flashMarks.splice(0)) mark.remove();
    for (const { from, to } of player.flashStretches) {
      const mark = document.createElement('div');
      mark.className = 'flash-mark';
      Object.assign(mark.style, { left: `${100 * from / player.end}%`, width: `${100 * (to - from) / player.end}%` });
      flashMarks.push(mark);
    }
    $('track').prepend(...flashMarks);
    const count = flashMarks.length;
    scrub.setAttribute('aria-description', count ? `${count} stretches flash (marked in red)` : '');
  }

  let hideTimer = 0;
  function showStrip() {
    strip.classList.add('shown');
    clearTimeout(hideTimer);
    hideTimer = setTimeout(() => {
      if (player.playing && !player.paused && !dragging && !picking && !strip.contains(document.activeElement)) strip.classList.remove('shown');
    }, kStripShownMs);
  }
  const stripShown = () => strip.classList.contains('shown') || strip.contains(document.activeElement);

  // Touch, mouse and pen alike: the pointer's place along the bar is a time.
  let dragging = false;
  const timeAt = (event) => {
    const box = scrub.getBoundingClientRect();
    return Math.round(Math.min(Math.max(0, (event.clientX - box.left) / box.width), 1) * (player.end - 1));
  };
  // The range Save clip saves, up to a minute from where it was begun: Shift
  // and a drag along the bar, or, by touch and keys, the Choose range toggle,
  // after which a drag on the bar or the arrow keys mark it. A plain press on
  // the bar forgets it.
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
    far = Math.min(Math.max(0, anchor - kMaxClipMs, t), player.end, anchor + kMaxClipMs);
    const [from, to] = [Math.min(anchor, far), Math.max(anchor, far)];
    player.clipRange = to > from ? { from, to } : null;
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
  const scrollKeys = new Set([' ', 'ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'PageUp', 'PageDown', 'Home', 'End']);
  addEventListener('keydown', (event) => {
    if (event.ctrlKey || event.altKey || event.metaKey) return;
    const key = event.key;
    const onButton = event.target.closest?.('button, label, input');
    if (onButton && (key === ' ' || key === 'Enter')) return;  // the button's own
    const playing = player.playing;
    if (!player.ready) {
      if (embedded && scrollKeys.has(key)) event.preventDefault();
      return;
    }
    if (picking && (key === 'ArrowLeft' || key === 'ArrowRight' || key === 'Escape')) {
      if (key === 'Escape') cancelPicking();
      else choose(far + (key === 'ArrowRight' ? kSeekMs : -kSeekMs));
      showStrip();
      event.preventDefault();
      return;
    }
    if (key === 'f' || key === 'F') actions.toggleFullscreen();
    else if (key === 'm' || key === 'M') actions.toggleMute();
    else if (key === 'Home') actions.home();
    else if (key === 'r' || key === 'R') actions.toggleReduceFlashing();
    else if (!playing && !embedded && (key.length === 1 || key === 'Enter')) actions.togglePlay();  // not F5, Tab and the like
    else if (playing && key === ' ') actions.togglePlay();
    else if (playing && key === 'Escape' && !isFullscreen()) actions.end();
    else if (playing && key === 'Escape') actions.toggleFullscreen();
    else if (playing && key === 'ArrowLeft') actions.seekBy(-kSeekMs);
    else if (playing && key === 'ArrowRight') actions.seekBy(kSeekMs);
    else {
      if (embedded && scrollKeys.has(key)) event.preventDefault();
      return;
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
  return { update, showStrip, markFlashes };
}
