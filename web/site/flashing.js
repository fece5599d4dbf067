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

// ---- A data set without a map of its own: its map made in a worker, while
// the whole show is reduced. `making` is what the page knows of it.
export const making = { state: 'none', progress: 0, map: null, started: 0, abandoned: 0, ms: 0 };
let worker = null;
// A quiet word on the switches while it runs, after their own titles.
let titles = null;
function tell(note) {
  titles ??= [...document.querySelectorAll('.flash-switch')].map((button) => [button, button.title]);
  for (const [button, title] of titles) button.title = note ? `${title}; ${note}` : title;
}

// Abandons the map being made, if any.
export function stopMakingFlashMap() {
  if (!worker) return;
  worker.terminate();
  worker = null;
  tell('');
  ++making.abandoned;
  making.state = 'abandoned';
}

// Starts making the map of `files` (name to bytes, the engine's `names`, or
// the data pack that holds them, as downloaded) with the engine build `module`;
// `made(text)` once it is made.
export function makeFlashMap(module, names, files, made) {
  stopMakingFlashMap();
  const own = new Worker(new URL('flashmap-worker.js', import.meta.url), { type: 'module', name: 'flash map' });
  worker = own;
  const begun = performance.now();
  Object.assign(making, { state: 'making', progress: 0, map: null, ms: 0 });
  ++making.started;
  tell('finding where this data set flashes: until then the whole show is dimmed');
  const end = (state) => {
    if (worker !== own) return;
    worker = null;
    own.terminate();
    making.state = state;
    making.ms = performance.now() - begun;
    tell('');
  };
  own.onmessage = ({ data }) => {
    if (worker !== own) return;
    if ('progress' in data) {
      making.progress = data.progress;
      tell(`finding where this data set flashes (${Math.floor(100 * data.progress)}%): until then the whole show is dimmed`);
    }
    if ('error' in data) {
      console.warn(`the flash map: ${data.error}; reduced flashing dims the whole show`);
      end('failed');
    }
    if ('map' in data) {
      making.map = data.map;
      end('made');
      made(data.map);
    }
  };
  own.onerror = (event) => {
    console.warn(`flashmap-worker.js: ${event.message ?? 'did not start'}; reduced flashing dims the whole show`);
    end('failed');
  };
  own.postMessage(files instanceof Map ? { module, names, files: new Map(names.filter((name) => files.has(name)).map((name) => [name, files.get(name)])) }
    : { module, names, pack: files });
}
