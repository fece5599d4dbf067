// Reduced flashing: the viewer's choice, kept in this browser (never in a
// link: it is the viewer's, not the show's). With none kept, a system asking
// for reduced motion turns it on. Both switches, on the title card and in
// the strip, show the one state.
let reducing = false;  // the viewer sees the frames through the reduced-flash filter
export const reducingFlashes = () => reducing;

const kStoreKey = 'vantrelle.reduceFlashing';
const motionQuery = matchMedia('(prefers-reduced-motion: reduce)');

// Storage can be refused (a sandboxed frame, private modes): then the choice lasts the visit.
function stored() {
  try {
    const value = localStorage.getItem(kStoreKey);
    return value === 'on' ? true : value === 'off' ? false : null;
  } catch {
    return null;
  }
}

function store(on) {
  try {
    localStorage.setItem(kStoreKey, on ? 'on' : 'off');
  } catch {
    // kept for this visit only
  }
}

// `changed()` after every change, to show the frame again.
export function startFlashSwitches(switches, changed) {
  const show = () => {
    for (const button of switches) button.setAttribute('aria-checked', String(reducing));
  };
  const set = (on) => {
    reducing = on;
    show();
    changed();
  };
  reducing = stored() ?? motionQuery.matches;
  show();
  motionQuery.addEventListener('change', () => { if (stored() === null) set(motionQuery.matches); });
  return () => {
    store(!reducing);
    set(!reducing);
  };
}
