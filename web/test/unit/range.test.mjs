// The clip range chosen on the bar: from where it was begun towards the
// pointer, at most a minute, within the show.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { chooseRange } from '../../site/range.js';

const end = 251336;
const minute = 60000;

test('the range follows the pointer, held to a minute and to the show', async (t) => {
  const cases = [
    ['forwards', 1000, 11000, 11000, [1000, 11000]],
    ['backwards', 90000, 80000, 80000, [80000, 90000]],
    ['a minute forwards at most', 1000, 500000, 61000, [1000, 61000]],
    ['a minute backwards at most', 100000, 0, 40000, [40000, 100000]],
    ['exactly a minute', 100000, 160000, 160000, [100000, 160000]],
    ['not before the start', 5000, -3000, 0, [0, 5000]],
    ['not past the end', 240000, 260000, end, [240000, end]],
    ['from the very start', 0, 0.5, 0.5, [0, 0.5]],
    ['empty where begun', 7000, 7000, 7000, null],
  ];
  for (const [name, anchor, pointer, far, range] of cases) {
    await t.test(name, () => {
      const chosen = chooseRange(anchor, pointer, end);
      assert.deepEqual([chosen.far, chosen.range && [chosen.range.from, chosen.range.to]], [far, range]);
    });
  }
});

test('any range chosen is a non-empty stretch of the show, no longer than a minute, with the anchor at one end', () => {
  let seed = 12345;
  const random = (n) => { seed = (seed * 1103515245 + 12345) % 2147483648; return seed % n; };
  for (let i = 0; i < 2000; ++i) {
    const anchor = random(end);
    const pointer = random(end + 2 * minute) - minute;
    const { far, range } = chooseRange(anchor, pointer, end);
    if (!range) {
      assert.equal(far, anchor);
      continue;
    }
    assert.ok(range.from >= 0 && range.to <= end && range.from < range.to && range.to - range.from <= minute, JSON.stringify(range));
    assert.ok([range.from, range.to].includes(anchor) && [range.from, range.to].includes(far));
    // The far end lies between the anchor and the pointer.
    assert.ok(Math.min(anchor, pointer) <= far && far <= Math.max(anchor, pointer));
  }
});
