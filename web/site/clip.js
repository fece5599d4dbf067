// Saving a clip: the frames of a range drawn one by one at exact times (60
// fps), as `vantrelle-render --from --to --video` draws them, encoded in the
// page by WebCodecs with the soundtrack's samples for that range, and put
// together by the muxer (mediabunny.mjs, copied into the site from npm).
// Nothing is uploaded.
import { momentLabel, wholeMs } from './address.js';
import { frameSize, rgba } from './frame.js';

export const kClipFps = 60;
export const kClipScale = 3;  // landscape: 1200 × 720, as the render tool's videos
export const kDefaultClipMs = 10000;
export const kMaxClipMs = 60000;
const kSampleRate = 48000;  // Opus's own rate
// A clip must fit chat apps that take 1 MB (10^6 bytes) a second: 8 Mbit/s in
// all. The video's aim leaves room for the sound and the container, and a
// little for an encoder that overshoots; the browser's encoder keeps close
// to it (9.2 MB measured for 10 s).
export const kClipBytesPerSecond = 1e6;
const kSoundBitrate = 160e3;
const kVideoBitrate = Math.floor((8 * kClipBytesPerSecond - kSoundBitrate) * 0.92);
// Key frames cost most at this rate: one every 10 s still lets a player seek.
const kKeyFrameSeconds = 10;

export const canSaveClips = () => 'VideoEncoder' in window && 'AudioEncoder' in window;

// The clip's shapes: landscape, or upright as the render tool's vertical
// preset lays it out (`vertical`: the engine's width, height, scale, left
// and top of it, from the same source).
export function clipLayout(vertical, upright) {
  if (!upright) {
    const [width, height] = [frameSize.width * kClipScale, frameSize.height * kClipScale];
    return { width, height, scale: kClipScale, left: 0, top: 0, pictureWidth: frameSize.width, pictureHeight: frameSize.height };
  }
  const [width, height, scale, left, top] = vertical;
  return { width, height, scale, left, top, pictureWidth: frameSize.height, pictureHeight: frameSize.width };
}

// `picture` (RGB565, layout.pictureWidth a row) enlarged by whole pixels into
// `pixels` (RGBA, layout.width a row) at the layout's place; the padding is
// left as it is. Each enlarged row is drawn once and copied.
export function layOut(picture, pixels, layout) {
  const { width, scale, left, top, pictureWidth, pictureHeight } = layout;
  for (let y = 0; y < pictureHeight; ++y) {
    const row = (top + y * scale) * width + left;
    for (let x = 0, to = row; x < pictureWidth; ++x) {
      const colour = rgba[picture[y * pictureWidth + x]];
      for (let i = 0; i < scale; ++i) pixels[to++] = colour;
    }
    for (let i = 1; i < scale; ++i) pixels.copyWithin(row + i * width, row, row + pictureWidth * scale);
  }
}

// Frame n of a range from `from` is at from + floor(n × 1000 / 60) ms.
export const frameTime = (from, n) => from + Math.floor(n * 1000 / kClipFps);
export const frameCount = (from, to) => Math.ceil((to - from) * kClipFps / 1000);

// The soundtrack's samples from `from` ms at Opus's rate: the whole packets
// nearest the picture's length, less one, which the encoder's lead-in (under
// one packet) then fills. The sound ends within half a packet (10 ms) of the
// picture either way; a one-frame clip (16.7 ms) gets one packet (20 ms).
const kOpusPacket = kSampleRate / 50;
async function soundFor(soundtrack, from, to) {
  const packets = Math.max(1, Math.round(frameCount(from, to) * kSampleRate / kClipFps / kOpusPacket));
  const length = Math.max(1, (packets - 1) * kOpusPacket);
  const context = new OfflineAudioContext(soundtrack.numberOfChannels, length, kSampleRate);
  const source = new AudioBufferSourceNode(context, { buffer: soundtrack });
  source.connect(context.destination);
  source.start(0, from / 1000, length / kSampleRate);
  return context.startRendering();
}

// `show`: the engine (show.js), which draws the frames. Resolves to { type,
// bytes, name, width, height }; `progress(done, total)` after each frame;
// `signal` (an AbortSignal) cancels; `reduce` gives the frames through the
// reduced-flash filter, as the viewer sees them; `upright` makes the
// vertical shape; `seeFrame(frame, n)`, when given, sees each RGB565 frame
// as it goes to the encoder. The frame on the screen is put back.
export async function makeClip(show, soundtrack, from, to, { progress = () => {}, signal, reduce = false, upright = false, seeFrame } = {}) {
  [from, to] = [wholeMs(from), wholeMs(to)];  // a range dragged on the bar can fall between ms
  const media = await import('./mediabunny.mjs');
  // Only those who save clips download the muxer; the service worker then keeps it for offline.
  navigator.serviceWorker?.controller?.postMessage({ fetch: [new URL('mediabunny.mjs', location.href).href] });
  const layout = clipLayout(show.verticalLayout, upright);
  const { width, height } = layout;
  // H.264 where the browser encodes it (a hardware encoder where it has one), else VP9.
  const quality = new media.Quality({ bitrate: kVideoBitrate, bitrateMode: 'variable' });
  const asked = { width, height, quality, latencyMode: 'quality', hardwareAcceleration: 'no-preference' };
  const h264 = await media.canEncodeVideo('avc', asked);
  if (!h264 && !(await media.canEncodeVideo('vp9', asked))) {
    throw new Error('This browser cannot encode H.264 or VP9 video.');
  }
  const format = h264 ? new media.Mp4OutputFormat({ fastStart: 'in-memory' }) : new media.WebMOutputFormat();
  const output = new media.Output({ format, target: new media.BufferTarget() });
  const video = new media.VideoSampleSource({ codec: h264 ? 'avc' : 'vp9', quality, latencyMode: 'quality',
    hardwareAcceleration: 'no-preference', keyFrameInterval: kKeyFrameSeconds });
  output.addVideoTrack(video, { frameRate: kClipFps });
  const audio = soundtrack && new media.AudioBufferSource({ codec: 'opus', quality: new media.Quality({ bitrate: kSoundBitrate }) });
  if (audio) output.addAudioTrack(audio);
  const pixels = new Uint32Array(width * height).fill(rgba[0]);  // the padding stays black

  try {
    await output.start();
    if (audio) await audio.add(await soundFor(soundtrack, from, to));
    await show.call('clipStart');
    const count = frameCount(from, to);
    for (let n = 0; n < count; ++n) {
      if (signal?.aborted) throw new DOMException('Cancelled', 'AbortError');
      const bytes = await show.call('clipFrame', { t: frameTime(from, n), reduce, upright });
      const seen = new Uint16Array(bytes.buffer, bytes.byteOffset, bytes.length / 2);
      seeFrame?.(seen, n);
      layOut(seen, pixels, layout);
      // VideoFrame copies the pixels, so the one buffer serves every frame.
      const copied = new VideoFrame(pixels, { format: 'RGBX', codedWidth: width, codedHeight: height, timestamp: 0 });
      const sample = new media.VideoSample(copied, { timestamp: n / kClipFps, duration: 1 / kClipFps });
      try {
        await video.add(sample);
      } finally {
        sample.close();
      }
      progress(n + 1, count);
    }
    video.close();
    audio?.close();
    await output.finalize();
  } catch (error) {
    await output.cancel().catch((cancelling) => console.warn(`the clip's muxer: ${cancelling.message}`));
    throw error;
  } finally {
    await show.call('clipEnd');
  }
  const type = h264 ? 'video/mp4' : 'video/webm';
  const shape = upright ? '-upright' : '';
  const name = `vantrelle-t${momentLabel(from)}-${momentLabel(to)}${shape}.${h264 ? 'mp4' : 'webm'}`;
  return { type, bytes: new Uint8Array(output.target.buffer), name, width, height };
}
