// The pack is taken whole or not at all.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { gzipSync } from 'node:zlib';
import { unpack, unzip } from '../../site/pack.js';
import { entry } from '../pack_format.mjs';

const pack = (...entries) => new Uint8Array(Buffer.concat(entries));
const names = ['gfx/a.pal', 'mesh/b.obj'];
const whole = [entry('gfx/a.pal', [1, 2, 3]), entry('mesh/b.obj', [9])];

test('a whole pack gives every file, records put back in order', () => {
  // Two records of three bytes, [10 20 30] then [11 22 33], stored by
  // position as changes: 10 +1, 20 +2, 30 +3.
  const files = unpack(pack(...whole, entry('gfx/c.raw', [10, 1, 20, 2, 30, 3], { record: 3 })), names);
  assert.deepEqual([...files.keys()], [...names, 'gfx/c.raw']);
  assert.deepEqual([...files.get('gfx/a.pal')], [1, 2, 3]);
  assert.deepEqual([...files.get('gfx/c.raw')], [10, 20, 30, 11, 22, 33]);
});

test('a pack unfit to use is refused before any of it is used', async (t) => {
  const cases = [
    ['empty', pack(), /lacks gfx\/a.pal, mesh\/b.obj/],
    ['missing a file', pack(whole[0]), /lacks mesh\/b.obj/],
    ['holding a file twice', pack(...whole, entry('gfx/a.pal', [7, 7, 7])), /gfx\/a.pal twice/],
    ['cut inside a file', pack(...whole).slice(0, -1), /ends inside mesh\/b.obj/],
    ['cut inside a header', pack(...whole).subarray(0, 4), /inside an entry's header/],
    ['a size beyond the end', pack(whole[0], entry('mesh/b.obj', [9], { size: 2 })), /ends inside mesh\/b.obj/],
    ['records of a size that does not divide the file', pack(...whole, entry('gfx/c.raw', [1, 2, 3], { record: 2 })), /partial records/],
    ['an empty file of huge records', pack(...whole, entry('gfx/c.raw', [], { record: 0xffffffff })), /partial records/],
    ['a name that is not UTF-8', pack(...whole, entry(Buffer.from([0xc3, 0x28]), [1])), /not UTF-8/],
  ];
  for (const [name, bytes, message] of cases) {
    await t.test(name, () => assert.throws(() => unpack(bytes, names), message));
  }
});

test('the pack as it came: zipped, unzipped on the way, or broken', async () => {
  const plain = pack(...whole);
  const zipped = new Uint8Array(gzipSync(plain));
  assert.deepEqual(await unzip(zipped), plain);
  assert.deepEqual(await unzip(plain), plain);
  await assert.rejects(unzip(zipped.slice(0, -9)), /does not unzip/);
});
