// The engine in WebAssembly and its data: files are written into its
// in-memory file system, checked and loaded there exactly as natively.

// The engine comes in two builds: with WebAssembly's 128-bit vectors
// (vantrelle.mjs) and without (vantrelle-scalar.mjs), drawing the same
// frames. This module returns a v128 constant; a browser without vectors
// refuses it.
const vectorProbe = new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0, 1, 5, 1, 96, 0, 1, 123, 3, 2, 1, 0,
  10, 22, 1, 20, 0, 253, 12, ...new Array(16).fill(0), 11]);
export const vectorsSupported = WebAssembly.validate(vectorProbe);

// ?simd=0 or ?simd=1 on the page's address (`params`) picks the build (to
// compare them); otherwise the vector build wherever the browser runs it.
export function wantVectors(params) {
  const asked = params.get('simd');
  return asked === null ? vectorsSupported : asked !== '0';
}
// The build's name for `params`.
export const engineBuild = (params) => (wantVectors(params) ? 'vantrelle' : 'vantrelle-scalar');

// The WebAssembly comes gzipped too (40% of its size), compiled while it
// arrives and unzips; plain where the browser cannot unzip or the zipped
// file does not serve. `first` is the fetch of the first file tried, begun
// early. Resolves to the instance and the address it came from.
const zipped = typeof DecompressionStream === 'function';
const firstAddress = (name) => new URL(zipped ? `${name}.wasm.gz` : `${name}.wasm`, location.href).href;

async function instantiate(name, imports, first) {
  if (zipped) {
    const address = firstAddress(name);
    try {
      const response = await first;
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
  const response = await (zipped ? fetch(address) : first).catch((error) => { throw new Error(`${name}.wasm: ${error.message}`); });
  if (!response.ok) throw new Error(`${name}.wasm: ${response.status} ${response.statusText}`);
  return { instance: (await WebAssembly.instantiate(await response.arrayBuffer(), imports)).instance, address };
}

// The engine build `name` ('vantrelle' or 'vantrelle-scalar'), its module
// imported from its own file on this server, so that a strict
// Content-Security-Policy (no blob: scripts) still lets it run; in the page
// or in a worker. Rejects with an error that names the file that failed.
export async function createEngine(name) {
  // The WebAssembly downloads while its module does.
  const first = fetch(firstAddress(name));
  first.catch(() => {});  // said where it is awaited
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
      instantiate(name, imports, first).then(({ instance, address }) => {
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
