// The data pack the site build writes, unzipped: for each file its name's
// length (u16, little-endian), the name (UTF-8), its size (u32,
// little-endian), a record size (u32, little-endian) and its bytes. A file
// with a record size is a run of records stored byte position by byte
// position, each byte as its change from the same byte of the record before.
// Nothing here needs a page: the checks run under Node's test runner as well.

// The pack as downloaded (`bytes`), unzipped. A server that unzipped it on
// the way gives it plain; a zipped pack that does not unzip is broken.
export async function unzip(bytes) {
  const unzipped = await new Response(new Response(bytes).body.pipeThrough(new DecompressionStream('gzip')))
    .arrayBuffer().catch(() => null);
  if (unzipped) return new Uint8Array(unzipped);
  if (bytes[0] === 0x1f && bytes[1] === 0x8b) throw new Error('the pack does not unzip');
  return bytes;
}

// The files of `bytes` as a map from name to bytes. The pack is checked whole
// before any of it is used: it must hold each of `names` once, and every
// entry must be complete; otherwise this throws, saying what is wrong, and the
// caller takes the plain files instead.
export function unpack(bytes, names) {
  const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  const decoder = new TextDecoder('utf-8', { fatal: true });
  const entries = new Map();
  for (let at = 0; at < bytes.length;) {
    if (at + 2 > bytes.length) throw new Error('the pack ends inside an entry\'s header');
    const nameEnd = at + 2 + view.getUint16(at, true);
    if (nameEnd + 8 > bytes.length) throw new Error('the pack ends inside an entry\'s header');
    let name;
    try {
      name = decoder.decode(bytes.subarray(at + 2, nameEnd));
    } catch {
      throw new Error('the pack holds a name that is not UTF-8');
    }
    const size = view.getUint32(nameEnd, true);
    const record = view.getUint32(nameEnd + 4, true);
    const start = nameEnd + 8;
    if (start + size > bytes.length) throw new Error(`the pack ends inside ${name}`);
    // A record larger than the file would have the unpacking spin over records that are not there.
    if (record && (record > size || size % record)) throw new Error(`the pack holds ${name} in partial records`);
    if (entries.has(name)) throw new Error(`the pack holds ${name} twice`);
    entries.set(name, { stored: bytes.subarray(start, start + size), record });
    at = start + size;
  }
  const missing = names.filter((name) => !entries.has(name));
  if (missing.length) throw new Error(`the pack lacks ${missing.join(', ')}`);
  const files = new Map();
  for (const [name, { stored, record }] of entries) files.set(name, record ? deinterleave(stored, record) : stored);
  return files;
}

function deinterleave(stored, record) {
  const count = stored.length / record;
  const bytes = new Uint8Array(stored.length);
  for (let at = 0; at < record; ++at) {
    for (let i = 0, value = 0; i < count; ++i) {
      value = (value + stored[at * count + i]) & 0xff;
      bytes[i * record + at] = value;
    }
  }
  return bytes;
}
