// The page's keys: on the title card any typing key plays (not when embedded),
// while playing Space, the arrows and Escape act; F, M, R and Home always.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { keyAction } from '../../site/keys.js';

test('each key acts as the viewer expects on the card and while playing', async (t) => {
  const card = { playing: false, embedded: false, fullscreen: false };
  const playing = { playing: true, embedded: false, fullscreen: false };
  const cases = [
    ['f', card, ['toggleFullscreen']], ['F', playing, ['toggleFullscreen']],
    ['m', playing, ['toggleMute']], ['M', card, ['toggleMute']],
    ['r', card, ['toggleReduceFlashing']], ['R', playing, ['toggleReduceFlashing']],
    ['Home', card, ['home']], ['Home', playing, ['home']],
    ['x', card, ['togglePlay']], [' ', card, ['togglePlay']], ['Enter', card, ['togglePlay']],
    ['x', { ...card, embedded: true }, null], ['Enter', { ...card, embedded: true }, null],
    ['F5', card, null], ['Tab', card, null], ['Escape', card, null], ['ArrowRight', card, null],
    [' ', playing, ['togglePlay']], ['x', playing, null], ['Enter', playing, null],
    ['ArrowLeft', playing, ['seekBy', -5000]], ['ArrowRight', playing, ['seekBy', 5000]],
    ['Escape', playing, ['end']], ['Escape', { ...playing, fullscreen: true }, ['toggleFullscreen']],
    ['ArrowUp', playing, null],
  ];
  for (const [key, where, want] of cases) {
    await t.test(`${JSON.stringify(key)} ${JSON.stringify(where)}`, () => assert.deepEqual(keyAction(key, where), want));
  }
});
