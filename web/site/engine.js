// The engine in WebAssembly and its data: files are written into its
// in-memory file system, checked and loaded there exactly as natively.

// The engine comes in two builds: with WebAssembly's 128-bit vectors
// (vantrelle.mjs) and without (vantrelle-scalar.mjs), drawing the same
// frames. This module returns a v128 constant; a browser without vectors
// refuses it.
const vectorProbe = new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0, 1, 5, 1, 96, 0, 1, 123, 3, 2, 1, 0,
  10, 22, 1, 20, 0, 253, 12, ...new Array(16).fill(0), 11]);
export const vectorsSupported = WebAssembly.validate(vectorProbe);

// ?simd=0 or ?simd=1 on the page's address picks the build (to compare
// them); otherwise the vector build wherever the browser runs it.
function wantVectors() {
  const asked = new URLSearchParams(location.search).get('simd');
  return asked === null ? vectorsSupported : asked !== '0';
}

// The WebAssembly comes gzipped too (40% of its size), compiled while it
// arrives and unzips; plain where the browser cannot unzip or the zipped
// file does not serve. Resolves to the instance and the address it came from.
const zipped = typeof DecompressionStream === 'function';

async function instantiate(name, imports) {
  if (zipped) {
    const address = new URL(`${name}.wasm.gz`, location.href).href;
    try {
      const response = await fetch(address);
      if (!response.ok) throw new Error(`${response.status} ${response.statusText}`);
      const plain = new Response(response.body.pipeThrough(new DecompressionStream('gzip')),
        { headers: { 'Content-Type': 'application/wasm' } });
      const made = WebAssembly.instantiateStreaming ? await WebAssembly.instantiateStreaming(plain, imports)
        : await WebAssembly.instantiate(await plain.arrayBuffer(), imports);
      return { instance: made.instance, address };
    } catch (error) {
      console.warn(`${name}.wasm.gz: ${error.message}; the plain ${name}.wasm instead`);
    }
  }
  const address = new URL(`${name}.wasm`, location.href).href;
  const response = await fetch(address).catch((error) => { throw new Error(`${name}.wasm: ${error.message}`); });
  if (!response.ok) throw new Error(`${name}.wasm: ${response.status} ${response.statusText}`);
  return { instance: (await WebAssembly.instantiate(await response.arrayBuffer(), imports)).instance, address };
}

// The engine build `name` ('vantrelle' or 'vantrelle-scalar'), its module
// imported from its own file on this server, so that a strict
// Content-Security-Policy (no blob: scripts) still lets it run; in the page
// or in a worker. Rejects with an error that names the file that failed.
export async function createEngine(name) {
  const moduleAddress = new URL(`${name}.mjs`, location.href).href;
  const createVantrelle = (await import(moduleAddress).catch((error) => {
    throw new Error(`${name}.mjs: ${error.message}`);
  })).default;
  let failed;
  let wasmAddress;
  const failure = new Promise((resolve, reject) => { failed = reject; });
  const engine = await Promise.race([failure, createVantrelle({
    locateFile: (file) => new URL(file, location.href).href,
    instantiateWasm(imports, receive) {
      instantiate(name, imports).then(({ instance, address }) => {
        wasmAddress = address;
        receive(instance);
      }, failed);
      return {};
    },
  })]);
  return { engine, moduleAddress, wasmAddress };
}

// Writes `files` (name to bytes) of the engine's data files `names` below
// `directory` in its file system, loads them and removes them (the engine
// holds its own copy). Returns "" or the engine's error, naming `directory`.
export function loadData(engine, names, files, directory) {
  engine.FS.mkdir(directory);
  const present = names.filter((name) => files.has(name));
  for (const name of present) {
    engine.FS.mkdirTree(`${directory}/${name.slice(0, name.lastIndexOf('/'))}`);
    engine.FS.writeFile(`${directory}/${name}`, files.get(name));
  }
  const error = engine.ccall('vantrelle_load', 'string', ['string'], [directory]);
  for (const name of present) engine.FS.unlink(`${directory}/${name}`);
  return error;
}

// The page's engine, with what the page needs of it.
export async function openEngine() {
  const vectors = wantVectors();
  const name = vectors ? 'vantrelle' : 'vantrelle-scalar';
  // Only the build in use is fetched; its WebAssembly alongside the module that asks for it.
  const preload = Object.assign(document.createElement('link'),
    { rel: 'preload', href: zipped ? `${name}.wasm.gz` : `${name}.wasm`, as: 'fetch', crossOrigin: 'anonymous' });
  document.head.append(preload);
  const { engine, moduleAddress, wasmAddress } = await createEngine(name);
  const width = engine._vantrelle_frame_width();
  const height = engine._vantrelle_frame_height();
  const frame = new Uint16Array(engine.HEAPU8.buffer, engine._vantrelle_frame(), width * height);
  // The frame through the reduced-flash filter, made by reduce(t) from `frame`, which stays as drawn.
  const reduced = new Uint16Array(engine.HEAPU8.buffer, engine._vantrelle_reduced_frame(), width * height);
  const reduce = (t) => {
    engine._vantrelle_reduce(t);
    return reduced;
  };
  // Where each segment starts, then the show's end, in ms.
  const segmentStarts = Array.from({ length: engine._vantrelle_segment_count() + 1 }, (_, i) => engine._vantrelle_segment_start(i));
  const dataNames = [];
  for (let i = 0, name; (name = engine.UTF8ToString(engine._vantrelle_data_file(i))); ++i) dataNames.push(name);

  // `files` maps names such as 'gfx/facea.pal' to their bytes (the soundtrack
  // is the page's). Returns "" or the data error, naming files from
  // `shownAs`, the folder as the person knows it ('data/', 'mine/' or '').
  let loads = 0;
  function loadFiles(files, shownAs) {
    const directory = `/data${++loads}`;
    const error = loadData(engine, dataNames, files, directory);
    return error.replaceAll(`${directory}/`, shownAs).replace(`${directory}:`, `${shownAs || './'}:`);
  }

  // The flash map's text for the filter. Returns "" when it was made from the
  // data loaded, else why the whole show is reduced instead (checked again
  // on each load: a map follows only the data it was made from).
  const loadFlashMap = (text, shownAs) => engine.ccall('vantrelle_flash_map', 'string', ['string', 'string'], [text, shownAs]);
  // Where the show flashes, [from, to) ms, as the followed map says; none when the whole show is reduced.
  const flashStretches = () => (!engine._vantrelle_flash_map_followed() ? []
    : Array.from({ length: engine._vantrelle_flash_stretch_count() },
      (_, i) => ({ from: engine._vantrelle_flash_stretch_from(i), to: engine._vantrelle_flash_stretch_to(i) })));

  // `files`: the addresses the engine was actually read from, for offline play.
  // `module`: the build in use, for another instance of it (a worker's).
  return { engine, vectors, module: name, files: [moduleAddress, wasmAddress], width, height, frame, reduce, loadFlashMap, flashStretches,
    segmentStarts, dataNames, loadFiles,
    fetchFiles: (base) => fetchFiles(base, dataNames) };
}

// The files `names` below `base` as a map from name to bytes; missing ones are left out.
export async function fetchFiles(base, names) {
  const files = new Map();
  await Promise.all(names.map(async (name) => {
    const address = new URL(name, base);
    const response = await fetch(address).catch((error) => console.warn(`${address}: ${error.message}`));
    if (response?.ok) files.set(name, new Uint8Array(await response.arrayBuffer()));
  }));
  return files;
}
