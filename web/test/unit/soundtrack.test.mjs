// The soundtrack's head: the start of the MP3, cut at a whole frame, with
// its info tag rewritten so that it decodes to exactly the first samples of
// the whole; and when a head is worth playing while the rest downloads.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { headToPlay, soundtrackHead } from '../../site/soundtrack.js';

// MPEG-1 layer III, 128 kbit/s, 44.1 kHz, stereo, no CRC: frames of
// floor(144 × 128000 / 44100) = 417 bytes holding 1152 samples each.
const kFrameBytes = 417;
const kFrameSeconds = 1152 / 44100;
const kHeader = [0xff, 0xfb, 0x90, 0x00];
// The info tag follows the header and 32 bytes of side information; its
// encoder fields follow the frame count, byte count, seek table and quality.
const kTag = 4 + 32;
const kFramesField = kTag + 8;
const kBytesField = kTag + 12;
const kEncoder = kTag + 12 + 4 + 100 + 4;

// An MP3 of `frames` audio frames after its info frame, the encoder's delay
// and padding in samples as given; `withSize` false leaves the byte count out.
function mp3(frames, { delay = 576, padding = 1000, withSize = true } = {}) {
  const bytes = new Uint8Array((frames + 1) * kFrameBytes);
  for (let f = 0; f <= frames; ++f) bytes.set(kHeader, f * kFrameBytes);
  const view = new DataView(bytes.buffer);
  bytes.set([...'Info'].map((c) => c.charCodeAt(0)), kTag);
  view.setUint32(kTag + 4, withSize ? 15 : 13);
  view.setUint32(kFramesField, frames);
  if (withSize) view.setUint32(kBytesField, bytes.length);
  const encoder = withSize ? kEncoder : kEncoder - 4;
  bytes.set([delay >> 4, (delay & 15) << 4 | padding >> 8, padding & 255], encoder + 21);
  return bytes;
}

// CRC-16/ARC, bit by bit; its check value for "123456789" is 0xbb3d.
function crc(bytes) {
  let value = 0;
  for (const byte of bytes) {
    for (let bit = 0; bit < 8; ++bit) {
      const top = (value ^ byte >> bit) & 1;
      value = value >>> 1 ^ (top ? 0xa001 : 0);
    }
  }
  return value;
}
test('the checksum the tag carries is CRC-16/ARC', () => assert.equal(crc(new TextEncoder().encode('123456789')), 0xbb3d));

test('a head holds the whole frames received and says so in its tag', async (t) => {
  const whole = mp3(20);
  const cases = [
    // [bytes received, whole audio frames in them]
    [2 * kFrameBytes, 1],
    [2 * kFrameBytes + 1, 1],
    [3 * kFrameBytes - 1, 1],
    [11 * kFrameBytes + 200, 10],
    [whole.length, 20],
  ];
  for (const [received, frames] of cases) {
    await t.test(`${received} bytes`, () => {
      const prefix = whole.slice(0, received);
      const head = soundtrackHead(prefix);
      const bytes = (frames + 1) * kFrameBytes;
      assert.equal(head.bytes.length, bytes);
      assert.ok(Math.abs(head.seconds - frames * kFrameSeconds) < 1e-9);
      const view = new DataView(head.bytes.buffer);
      assert.equal(view.getUint32(kFramesField), frames);
      assert.equal(view.getUint32(kBytesField), bytes);
      assert.equal(view.getUint32(kEncoder + 28), bytes);
      // The delay stays, the padding goes: the music goes on past the head.
      assert.deepEqual([...head.bytes.subarray(kEncoder + 21, kEncoder + 24)], [576 >> 4, (576 & 15) << 4, 0]);
      assert.equal(view.getUint16(kEncoder + 34), crc(head.bytes.subarray(0, kEncoder + 34)));
      // The audio frames are the file's own, and what was received is left as it was.
      assert.deepEqual(head.bytes.subarray(kFrameBytes), whole.subarray(kFrameBytes, bytes));
      assert.deepEqual(prefix, whole.slice(0, received));
    });
  }
});

test('no head without an info tag or a whole audio frame', async (t) => {
  const noTag = mp3(5);
  noTag.set([0, 0, 0, 0], kTag);
  const notMp3 = mp3(5);
  notMp3[1] = 0;
  const cases = [
    ['nothing', new Uint8Array(0)],
    ['part of the info frame', mp3(5).slice(0, kFrameBytes - 1)],
    ['the info frame alone', mp3(5).slice(0, kFrameBytes)],
    ['part of the first audio frame', mp3(5).slice(0, 2 * kFrameBytes - 1)],
    ['no info tag', noTag],
    ['no frame header', notMp3],
  ];
  for (const [name, prefix] of cases) await t.test(name, () => assert.equal(soundtrackHead(prefix), null));
});

// A file of 1000 audio frames, 1001 × 417 = 417417 bytes; the first 400
// frames play 400 × 1152 / 44100 = 10.449 s and hold 167217 bytes, so the
// rest takes 1.4962 times as long as they did. A head is worth it when
// the rest takes at least 1 s (from 0.668 s in) and the head plays at least
// 10 s and twice the rest plus 3 s (to 2.490 s in).
test('a head plays while the rest downloads only when it outlasts it', async (t) => {
  const whole = mp3(1000);
  const received = (frames) => whole.slice(0, (frames + 1) * kFrameBytes);
  const cases = [
    ['on time', received(400), whole.length, 1, 400],
    ['just worth it', received(400), whole.length, 0.67, 400],
    ['just long enough', received(400), whole.length, 2.48, 400],
    ['the size from the tag', received(400), 0, 1, 400],
    ['the rest about to come', received(400), whole.length, 0.66, null],
    ['the rest too slow', received(400), whole.length, 2.5, null],
    ['under 10 s of music', received(380), whole.length, 1, null],
    ['everything here', whole, whole.length, 1, null],
    ['no time measured', received(400), whole.length, 0, null],
    ['no size known', mp3(1000, { withSize: false }).slice(0, 401 * kFrameBytes), 0, 1, null],
  ];
  for (const [name, prefix, total, seconds, frames] of cases) {
    await t.test(name, () => {
      const head = headToPlay(prefix, total, seconds);
      assert.equal(head && head.bytes.length, frames && (frames + 1) * kFrameBytes);
    });
  }
});
