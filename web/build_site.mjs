// Finishes the site that CMake put in SITE, from the native build's output:
//   node web/build_site.mjs SITE BIN ART
// BIN holds the data set (gfx/, mesh/, music/), its flash.map and the render
// tool, ART the icons and the poster drawn from the show (vantrelle-make-icons)
// and poster-time.txt, the poster's moment in ms. Draws the title card's
// picture at that moment with the render tool, both ways up, and writes the
// show's length, read from the engine, into the page. Copies the muxer for saved
// clips from web/node_modules (npm ci --prefix web). Writes the data pack the page
// unpacks, the plain data files beside it (for ?data= and for browsers that
// cannot unpack), the engine's WebAssembly gzipped, icons/, poster.png, and
// stamps the service worker (and build.js) with the build's version, the
// worker with the page's own files too.
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { cpSync, existsSync, mkdirSync, mkdtempSync, readFileSync, readdirSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';
import { minutes } from './site/minutes.js';

const [site, bin, art] = process.argv.slice(2).map((p) => path.resolve(p));
if (!art) {
  console.error('usage: node web/build_site.mjs SITE BIN ART');
  process.exit(2);
}
const stamp = (name, edit) => writeFileSync(path.join(site, name), edit(readFileSync(path.join(site, name), 'utf8')));

// The files below `dir`, as paths relative to `from`, in a stable order.
function filesBelow(dir, from = dir) {
  return readdirSync(dir).sort().flatMap((name) => {
    const full = path.join(dir, name);
    return statSync(full).isDirectory() ? filesBelow(full, from) : [path.relative(from, full).split(path.sep).join('/')];
  });
}

// The pack: for each file its name's length (u16 LE), the name, its size (u32
// LE), a record size (u32 LE) and its bytes; gzipped. With a record size the
// file is a run of records (the clip's 80 x 60 frames) stored byte position by
// byte position, each byte as its change from the record before: the tunnel's
// frames then compress to three quarters of their plain size.
const recordSizes = { 'gfx/clip01.raw': 80 * 60 };
function interleave(bytes, record) {
  const count = bytes.length / record;
  const out = Buffer.alloc(bytes.length);
  for (let at = 0; at < record; ++at) {
    for (let i = 0, previous = 0; i < count; ++i) {
      const value = bytes[i * record + at];
      out[at * count + i] = (value - previous) & 0xff;
      previous = value;
    }
  }
  return out;
}
const data = path.join(site, 'data');
rmSync(data, { recursive: true, force: true });
mkdirSync(data);
const parts = [];
for (const part of ['gfx', 'mesh', 'music']) cpSync(path.join(bin, part), path.join(data, part), { recursive: true });
for (const name of filesBelow(data).filter((name) => !name.startsWith('music/'))) {
  const bytes = readFileSync(path.join(data, name));
  const record = recordSizes[name] && bytes.length % recordSizes[name] === 0 ? recordSizes[name] : 0;
  const header = Buffer.alloc(10 + Buffer.byteLength(name));
  header.writeUInt16LE(Buffer.byteLength(name), 0);
  header.write(name, 2);
  header.writeUInt32LE(bytes.length, 2 + Buffer.byteLength(name));
  header.writeUInt32LE(record, 6 + Buffer.byteLength(name));
  parts.push(header, record ? interleave(bytes, record) : bytes);
}
const plain = Buffer.concat(parts);
writeFileSync(path.join(site, 'data.pack'), gzipSync(plain, { level: 9 }));

// The data set's flash map (made by the native build beside it) for the
// reduced-flash mode and the bar's marks, fetched beside the data, not packed.
const flashMap = path.join(bin, 'flash.map');
if (!existsSync(flashMap)) {
  console.error(`web: ${flashMap} is missing: build the native target vantrelle_flash_map`);
  process.exit(1);
}
cpSync(flashMap, path.join(data, 'flash.map'));

// Each engine build's WebAssembly gzipped beside it, for browsers that unzip.
for (const name of readdirSync(site).filter((name) => /^vantrelle.*\.wasm$/.test(name))) {
  writeFileSync(path.join(site, `${name}.gz`), gzipSync(readFileSync(path.join(site, name)), { level: 9 }));
}

mkdirSync(path.join(site, 'icons'), { recursive: true });
for (const size of [64, 128, 256]) cpSync(path.join(art, `${size}x${size}/vantrelle.png`), path.join(site, `icons/${size}.png`));
cpSync(path.join(art, 'poster.png'), path.join(site, 'poster.png'));

// The title card's picture: the poster's frame exactly, 400 x 240 and upright
// (240 x 400), as the render tool draws it, shown before the data has arrived.
const posterFile = path.join(art, 'poster-time.txt');
const posterTime = existsSync(posterFile) ? readFileSync(posterFile, 'utf8').trim() : '';
if (!/^\d+$/.test(posterTime)) {
  console.error(`web: ${posterFile}: expected the poster's moment in whole ms, found ${JSON.stringify(posterTime)}`);
  process.exit(1);
}
const drawn = mkdtempSync(path.join(tmpdir(), 'vantrelle-card-'));
try {
  for (const [name, extra] of [['card.png', []], ['card-upright.png', ['--portrait']]]) {
    const folder = path.join(drawn, name);
    execFileSync(path.join(bin, 'vantrelle-render'), ['--quiet', '--data', bin, '--at', posterTime, ...extra, '--png', folder], { stdio: 'inherit' });
    const [frame] = readdirSync(folder);
    cpSync(path.join(folder, frame), path.join(site, name));
  }
} finally {
  rmSync(drawn, { recursive: true, force: true });
}

// The show's length, from the engine's own C interface: the end of its last segment.
async function showLength() {
  const name = existsSync(path.join(site, 'vantrelle-scalar.mjs')) ? 'vantrelle-scalar' : 'vantrelle';
  const wasm = readFileSync(path.join(site, `${name}.wasm`));
  const create = (await import(pathToFileURL(path.join(site, `${name}.mjs`)).href)).default;
  const engine = await create({
    instantiateWasm(imports, receive) {
      WebAssembly.instantiate(wasm, imports).then(({ instance }) => receive(instance));
      return {};
    },
  });
  return engine._vantrelle_segment_start(engine._vantrelle_segment_count());
}
const length = await showLength();
stamp('index.html', (text) => text.replace(/<time id="card-length"[^>]*>[^<]*<\/time>/,
  `<time id="card-length" datetime="PT${Math.floor(length / 1000)}S">${minutes(length)}</time>`));
stamp('build.js', (text) => text.replace(/^export const posterTime = .*$/m, `export const posterTime = ${posterTime};`));

// The muxer at the version locked in web/package-lock.json, with its licence.
const muxer = path.join(path.dirname(fileURLToPath(import.meta.url)), 'node_modules/mediabunny');
if (!existsSync(muxer)) {
  console.error(`web: ${muxer} is missing: run npm ci --prefix web`);
  process.exit(1);
}
cpSync(path.join(muxer, 'dist/bundles/mediabunny.min.mjs'), path.join(site, 'mediabunny.mjs'));
cpSync(path.join(muxer, 'LICENSE'), path.join(site, 'mediabunny.LICENSE.txt'));

// The shell the service worker installs: the page and its modules, not the
// engine builds (the page names the one it runs), the data, the benchmark or
// the muxer (kept once a clip is first saved).
// The version covers every file but the two it is stamped into: the worker
// and build.js, which tells the page its build.
const shipped = filesBelow(site);
const shell = shipped.filter((name) => name !== 'sw.js' && !/^(data\/|data\.pack$|vantrelle.*\.(mjs|wasm)(\.gz)?$|bench\.|mediabunny\.)/.test(name));
const hash = createHash('sha256');
for (const name of shipped.filter((name) => name !== 'sw.js' && name !== 'build.js')) hash.update(name).update(readFileSync(path.join(site, name)));
const version = hash.digest('hex').slice(0, 16);
stamp('sw.js', (text) => text.replace(/^const version = .*$/m, `const version = '${version}';`)
  .replace(/^const shell = .*$/m, `const shell = ${JSON.stringify(['./', ...shell])};`));
stamp('build.js', (text) => text.replace(/^export const build = .*$/m, `export const build = '${version}';`));
const packed = statSync(path.join(site, 'data.pack')).size;
console.log(`web: data pack ${(plain.length / 1e6).toFixed(2)} MB, ${(packed / 1e6).toFixed(2)} MB gzipped`);
