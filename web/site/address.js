// What the page's address asks for: ?data=DIR, a data folder beside the page,
// and #t=MS, the moment a shared link opens on. No browser API here: the
// checks run under Node's test runner as well.

// The folder ?data= names (`asked`, null when absent), with its closing slash.
export function dataFolder(asked) {
  if (asked === null) return 'data/';
  if (!asked.trim()) throw new Error('data error: ?data= names no folder: give one beside the page, such as ?data=mine/');
  return asked.replace(/\/?$/, '/');
}

// The folder's address below the page at `page`; only folders on the page's own server.
export function dataBase(asked, page) {
  const folder = dataFolder(asked);
  let base;
  try {
    base = new URL(folder, page);
  } catch {
    throw new Error(`data error: ${asked}: not a folder's address`);
  }
  const here = new URL(page);
  // A blob: address shares the page's origin, yet holds no folder to read files from.
  if (base.protocol !== here.protocol) throw new Error(`data error: ${asked}: expected a folder on this server, not a ${base.protocol} address`);
  if (base.origin !== here.origin) throw new Error(`data error: ${folder}: expected an address on this server`);
  return base;
}

// Links, stills and clips name moments in whole ms; a link written with a
// fraction (by an older page, or by hand) still opens on its moment.
export const wholeMs = (t) => Math.round(t);
export const momentHash = (t) => `t=${wholeMs(t)}`;
export const momentLabel = (t) => String(wholeMs(t)).padStart(6, '0');

// The moment `hash` (location.hash) opens on, in ms; null when it names none.
export function momentOf(hash) {
  const match = /^#t=(\d+(?:\.\d*)?)$/.exec(hash);
  return match ? wholeMs(Number(match[1])) : null;
}
