// The data pack's format, written from its description for the tests: for
// each file its name's length (u16 LE), the name, its size (u32 LE), a record
// size (u32 LE) and its bytes.

// One entry; `name` a string or its raw bytes, `size` what the header claims.
export function entry(name, bytes, { record = 0, size = bytes.length } = {}) {
  const nameBytes = Buffer.from(name);
  const header = Buffer.alloc(10 + nameBytes.length);
  header.writeUInt16LE(nameBytes.length, 0);
  nameBytes.copy(header, 2);
  header.writeUInt32LE(size, 2 + nameBytes.length);
  header.writeUInt32LE(record, 6 + nameBytes.length);
  return Buffer.concat([header, Buffer.from(bytes)]);
}

// The entries of an unzipped pack: [{ name, record, stored }], `stored` as in the pack.
export function entries(plain) {
  const found = [];
  for (let at = 0; at < plain.length;) {
    const length = plain.readUInt16LE(at);
    const name = plain.toString('utf8', at + 2, at + 2 + length);
    const size = plain.readUInt32LE(at + 2 + length);
    const record = plain.readUInt32LE(at + 6 + length);
    const start = at + 10 + length;
    found.push({ name, record, stored: plain.subarray(start, start + size) });
    at = start + size;
  }
  return found;
}

// A pack of `list` ({ name, record, stored } as entries() gives them).
export const packOf = (list) => Buffer.concat(list.map(({ name, record, stored }) => entry(name, stored, { record })));
