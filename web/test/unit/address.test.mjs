// What the page's address asks for: a data folder, a moment.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { dataBase, momentHash, momentLabel, momentOf } from '../../site/address.js';

const page = 'https://show.example/x2/index.html?data=mine';

test('?data= names a folder beside the page', async (t) => {
  const cases = [
    [null, 'https://show.example/x2/data/'],
    ['mine', 'https://show.example/x2/mine/'],
    ['mine/', 'https://show.example/x2/mine/'],
    ['/sets/a', 'https://show.example/sets/a/'],
  ];
  for (const [asked, want] of cases) await t.test(String(asked), () => assert.equal(dataBase(asked, page).href, want));
});

test('?data= that names no folder here gets one clear message', async (t) => {
  const cases = [
    ['', /\?data= names no folder/],
    ['  ', /\?data= names no folder/],
    ['blob:https://show.example/0b1c', /blob:https:\/\/show.example\/0b1c: expected a folder on this server, not a blob: address/],
    ['data:text/plain,x', /not a data: address/],
    ['https://elsewhere.example/data', /expected an address on this server/],
    ['//elsewhere.example/data', /expected an address on this server/],
    ['http://show.example/x2/data', /not a http: address/],
  ];
  for (const [asked, message] of cases) await t.test(JSON.stringify(asked), () => assert.throws(() => dataBase(asked, page), message));
});

test('moments are written in whole ms and read with or without a fraction', async (t) => {
  const written = [[83456.7, 't=83457', '083457'], [83456.4, 't=83456', '083456'], [0, 't=0', '000000'], [251328, 't=251328', '251328']];
  for (const [ms, hash, label] of written) {
    await t.test(`writes ${ms}`, () => assert.deepEqual([momentHash(ms), momentLabel(ms)], [hash, label]));
  }
  const read = [['#t=83456.7', 83457], ['#t=83456', 83456], ['#t=83456.', 83456], ['#t=0.4', 0],
    ['', null], ['#t=', null], ['#t=-5', null], ['#t=1e5', null], ['#t=.5', null], ['#t=12abc', null], ['#x=5', null]];
  for (const [hash, want] of read) await t.test(`reads ${JSON.stringify(hash)}`, () => assert.equal(momentOf(hash), want));
});
