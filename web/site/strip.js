// The control strip shows on a touch, a move or a key; while `held()` is
// false it hides again a while after the last one, unless it has the focus.
const kStripShownMs = 2000;

export function makeStrip(strip, held) {
  let hideTimer = 0;
  function show() {
    strip.classList.add('shown');
    clearTimeout(hideTimer);
    hideTimer = setTimeout(() => {
      if (!held() && !strip.contains(document.activeElement)) strip.classList.remove('shown');
    }, kStripShownMs);
  }
  const shown = () => strip.classList.contains('shown') || strip.contains(document.activeElement);
  return { show, shown };
}
