// The soundtrack, decoded by the browser, starting with the music's first
// sample. An MP3 encoder puts silence before the music (its delay) and after
// it (padding to a whole frame) and says how much in its info frame; the
// decoder adds a delay of its own. Some browsers drop all of it, some not.
export const soundtrackName = 'music/soundtrack.mp3';

const kDecoderDelay = 529;  // samples every layer III decoder adds before the sound
const kRates = { 3: [44100, 48000, 32000], 2: [22050, 24000, 16000], 0: [11025, 12000, 8000] };
// Layer III bit rates, kbit/s, by the header's index: MPEG-1, then MPEG-2 and 2.5.
const kBitRates = {
  3: [0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320],
  2: [0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160],
};

// The layer III frame whose header starts at `at`: its size in bytes and
// samples, its rate and version; null where no such frame starts.
function frameAt(view, at) {
  if (at + 4 > view.byteLength) return null;
  const header = view.getUint32(at);
  const version = header >> 19 & 3;
  const rate = kRates[version]?.[header >> 10 & 3];
  const kbits = kBitRates[version === 3 ? 3 : 2][header >> 12 & 15];
  if (header >>> 21 !== 0x7ff || (header >> 17 & 3) !== 1 || !rate || !kbits) return null;
  const samples = version === 3 ? 1152 : 576;
  const bytes = Math.floor(samples / 8 * kbits * 1000 / rate) + (header >> 9 & 1);
  return { bytes, samples, rate, version, mono: (header >> 6 & 3) === 3 };
}

// The first frame's info tag: where its fields are, the file's size in bytes
// (0 when not given), its rate, the samples per channel to skip and the
// music's own length; null without a tag.
function infoTag(bytes) {
  const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  const frame = frameAt(view, 0);
  if (!frame || frame.bytes > bytes.length) return null;
  const at = 4 + (frame.version === 3 ? (frame.mono ? 17 : 32) : (frame.mono ? 9 : 17));  // past the side information
  const flags = view.getUint32(at + 4);
  if (!['Xing', 'Info'].includes(String.fromCharCode(...bytes.subarray(at, at + 4))) || !(flags & 1)) return null;
  const frames = at + 8;
  const size = flags & 2 ? at + 12 : null;
  const lame = at + 12 + 4 * !!(flags & 2) + 100 * !!(flags & 4) + 4 * !!(flags & 8);
  const delay = bytes[lame + 21] << 4 | bytes[lame + 22] >> 4;
  const padding = (bytes[lame + 22] & 15) << 8 | bytes[lame + 23];
  const samples = view.getUint32(frames) * frame.samples;
  return {
    frame, fields: { frames, size, lame }, fileBytes: size === null ? 0 : view.getUint32(size),
    rate: frame.rate, skip: delay + kDecoderDelay, length: samples - delay - padding,
  };
}

// CRC-16 as the info tag's own checksum uses it (polynomial 0x8005, bits reflected).
function crc16(bytes) {
  let crc = 0;
  for (const byte of bytes) {
    crc ^= byte;
    for (let bit = 0; bit < 8; ++bit) crc = crc & 1 ? crc >>> 1 ^ 0xa001 : crc >>> 1;
  }
  return crc;
}

// The whole audio frames of `bytes` (the file from its first byte) after the
// info frame (`tag`), which holds no sound: each as frameAt gives it, and
// where it starts.
function* audioFrames(bytes, tag) {
  const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  for (let at = tag.frame.bytes, frame = frameAt(view, at); frame && at + frame.bytes <= bytes.length;
    at += frame.bytes, frame = frameAt(view, at)) {
    yield { at, ...frame };
  }
}

// The whole frames at the start of `prefix` (a part of the file from its
// first byte) after the info frame: their count and where the last one ends.
function wholeFrames(prefix, tag) {
  let end = tag.frame.bytes;
  let frames = 0;
  for (const frame of audioFrames(prefix, tag)) {
    end = frame.at + frame.bytes;
    ++frames;
  }
  return { frames, end, seconds: frames * tag.frame.samples / tag.rate };
}

// The start of the file as a file of its own: the whole frames of `prefix`,
// its info tag saying it has that many and no padding at the end, so that it
// decodes to exactly the first samples of the whole. Null without an info tag
// or with no audio frame yet.
export function soundtrackHead(prefix) {
  const tag = infoTag(prefix);
  if (!tag || tag.fields.lame + 36 > tag.frame.bytes) return null;  // no room for the encoder's delay and padding
  const { frames, end, seconds } = wholeFrames(prefix, tag);
  if (frames === 0) return null;
  const head = prefix.slice(0, end);
  const view = new DataView(head.buffer);
  const { lame } = tag.fields;
  view.setUint32(tag.fields.frames, frames);
  if (tag.fields.size !== null) view.setUint32(tag.fields.size, end);
  head[lame + 22] &= 0xf0;  // no padding: the music goes on past the head's end
  head[lame + 23] = 0;
  view.setUint32(lame + 28, end);  // the music's length in bytes, the tag's frame included
  // The seek table still maps the whole: decoding from the start never reads it.
  view.setUint16(lame + 34, crc16(head.subarray(0, lame + 34)));
  return { bytes: head, seconds };
}

// While the soundtrack downloads (`prefix` in `seconds`, of `total` bytes,
// or 0 when the server did not say and the info tag tells): a head to play from
// now, once it plays long enough to cover the rest of the download twice over
// at the rate so far, with seconds to spare for decoding the whole; null until
// then, and when the rest is about to arrive anyway.
const kMinHeadSeconds = 10;
const kSpareSeconds = 3;
const kWorthSeconds = 1;
export function headToPlay(prefix, total, seconds) {
  const tag = infoTag(prefix);
  if (!tag) return null;
  const size = total || tag.fileBytes;
  if (!(size > prefix.length) || !(seconds > 0)) return null;
  const remaining = (size - prefix.length) / prefix.length * seconds;
  if (remaining < kWorthSeconds || wholeFrames(prefix, tag).seconds < Math.max(kMinHeadSeconds, 2 * remaining + kSpareSeconds)) return null;
  return soundtrackHead(prefix);
}

// The soundtrack at `address`, downloaded and read as it arrives, calling
// `offerHead(bytes)` once when a head can play: { bytes, blob } (a blob of
// them for the offline copy), or null when it did not download, said to
// `warn(message)`.
export async function downloadSoundtrack(address, offerHead, warn) {
  let response;
  try {
    response = await fetch(address);
  } catch (error) {
    warn(`${address}: ${error.message}`);
    return null;
  }
  if (!response.ok) {
    warn(`${address}: ${response.status} ${response.statusText}`);
    return null;
  }
  const bytes = await readSoundtrack(response, offerHead);
  return { bytes, blob: new Blob([bytes]) };
}

// The soundtrack's bytes from `response` as they arrive, calling
// `offerHead(bytes)` once when a head can play (see headToPlay).
async function readSoundtrack(response, offerHead) {
  let offered = false;
  return readWatching(response, (prefix, total, seconds) => {
    const made = offered ? null : headToPlay(prefix, total, seconds);
    if (made) offerHead(made.bytes);
    offered ||= Boolean(made);
  });
}

// The body of `response` as it arrives, calling `watch(prefix, total,
// seconds)` after each part: the bytes so far, the size the server announced
// (0 when unknown) and the seconds since the response began. A byte reader,
// where the browser has one, reads straight into the bytes, and whatever has
// arrived at once in one part: reading part by part holds up the page when
// the whole comes in a rush.
async function readWatching(response, watch) {
  const started = performance.now();
  const announced = response.headers.get('Content-Encoding') ? 0 : Number(response.headers.get('Content-Length')) || 0;
  if (!response.body?.getReader) return new Uint8Array(await response.arrayBuffer());
  let bytes = new Uint8Array(announced || 1 << 20);
  let received = 0;
  const take = (part) => {
    if (received + part.length > bytes.length) {
      const grown = new Uint8Array(Math.max(2 * bytes.length, received + part.length));
      grown.set(bytes.subarray(0, received));
      bytes = grown;
    }
    bytes.set(part, received);
    received += part.length;
  };
  const told = () => watch(bytes.subarray(0, received), announced, (performance.now() - started) / 1000);
  const byteReader = byteReaderOf(response.body);
  if (byteReader) {
    for (;;) {
      // The read hands the buffer back in `value`; with no room left, a byte's room tells whether more comes.
      const room = bytes.length - received;
      const { value, done } = await byteReader.read(room ? bytes.subarray(received) : new Uint8Array(1));
      if (room && value) bytes = new Uint8Array(value.buffer);
      if (done) break;
      if (room) received += value.length;
      else take(value);
      told();
    }
  } else {
    const reader = response.body.getReader();
    for (let part = await reader.read(); !part.done; part = await reader.read()) {
      take(part.value);
      told();
    }
  }
  return received === bytes.length ? bytes : bytes.slice(0, received);
}

function byteReaderOf(body) {
  try {
    return body.getReader({ mode: 'byob' });
  } catch {
    return null;  // not a byte stream here
  }
}

// The soundtrack decodes at its own rate, read from its first frame (at
// this one when that cannot be read): the fewest samples to hold, and the
// page's sound is made at that rate to play them as they are.
const kFallbackRate = 48000;

export async function decodeSoundtrack(bytes) {
  const info = infoTag(bytes);
  const piecemeal = info && await decodeFrameByFrame(bytes, info).catch(() => null);
  if (piecemeal) return piecemeal;
  const first = frameAt(new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength), 0);
  const decoder = new OfflineAudioContext(1, 1, first?.rate ?? kFallbackRate);
  const decoded = await decoder.decodeAudioData(bytes.slice().buffer);
  if (!info) return decoded;
  // decodeAudioData resamples to the context's rate.
  const scale = decoded.sampleRate / info.rate;
  const length = Math.round(info.length * scale);
  if (decoded.length <= length + scale) return decoded;  // the browser dropped the silence itself
  const skip = Math.round(info.skip * scale);
  const music = new AudioBuffer({ length, numberOfChannels: decoded.numberOfChannels, sampleRate: decoded.sampleRate });
  for (let c = 0; c < decoded.numberOfChannels; ++c) {
    music.copyToChannel(decoded.getChannelData(c).subarray(skip, skip + length), c);
  }
  return music;
}

// The music (`info`, its info tag) decoded a frame at a time where the
// browser's WebCodecs decode MP3, each frame's samples written into the
// buffer as they come. decodeAudioData makes its whole buffer at the end in
// one task on the page's thread, a tenth of a second or more that holds up
// input. Null where WebCodecs cannot decode it.
//
// Chromium's alone for now: WebKitGTK's MP3 decoder takes the page down with
// it, and Firefox's is not yet proven under the page tests' load.
const kFramesAtOnce = 256;
async function decodeFrameByFrame(bytes, info) {
  if (typeof AudioDecoder !== 'function' || !/Chrome\//.test(navigator.userAgent)) return null;
  const channels = info.frame.mono ? 1 : 2;
  const config = { codec: 'mp3', sampleRate: info.rate, numberOfChannels: channels };
  if (!(await AudioDecoder.isConfigSupported(config)).supported) return null;
  const frames = [...audioFrames(bytes, info)];
  // A file cut short (a head) ends on the decoder's delay: the music that
  // far comes out only with the next frame.
  const length = Math.min(info.length, frames.reduce((n, frame) => n + frame.samples, 0) - info.skip);
  if (!(length > 0)) return null;
  const music = new AudioBuffer({ length, numberOfChannels: channels, sampleRate: info.rate });
  const out = Array.from({ length: channels }, (_, c) => music.getChannelData(c));
  let at = -info.skip;  // where in the music the next decoded sample goes: the delays go first
  let failure = null;
  const decoder = new AudioDecoder({
    output(data) {
      const from = Math.max(0, -at);
      const count = Math.min(data.numberOfFrames, length - at) - from;
      for (let c = 0; c < channels && count > 0; ++c) {
        data.copyTo(out[c].subarray(at + from, at + from + count), { planeIndex: c, frameOffset: from, frameCount: count, format: 'f32-planar' });
      }
      at += data.numberOfFrames;
      data.close();
    },
    error(error) { failure = error; },
  });
  decoder.configure(config);
  // Handed over a few hundred at a time: all at once would be a long task again.
  let timestamp = 0;  // µs
  for (const [i, frame] of frames.entries()) {
    decoder.decode(new EncodedAudioChunk({ type: 'key', timestamp, data: bytes.subarray(frame.at, frame.at + frame.bytes) }));
    timestamp += Math.round(frame.samples * 1e6 / info.rate);
    if ((i + 1) % kFramesAtOnce === 0) await new Promise((resolve) => { setTimeout(resolve); });
  }
  await decoder.flush();
  decoder.close();
  if (failure) throw failure;
  return music;
}
