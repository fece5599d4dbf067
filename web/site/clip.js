// Saving a clip: the frames of a range drawn one by one at exact times (60
// fps), as `vantrelle-render --from --to --video` draws them, encoded in the
// page by WebCodecs with the soundtrack's samples for that range, and put
// together by the muxer (mediabunny.mjs, copied into the site from npm).
// Nothing is uploaded.
import { momentLabel, wholeMs } from './address.js';
import { enlarge } from './share.js';
import { frameSize } from './frame.js';

export const kClipFps = 60;
export const kClipScale = 3;  // 1200 × 720, as the render tool's videos
export const kDefaultClipMs = 10000;
export const kMaxClipMs = 60000;
const kSampleRate = 48000;  // Opus's own rate
// Enough for the show's hard pixel edges enlarged ×3 (about 25 MB for 10 s);
// at 12 Mbit/s its busiest frames lose detail.
const kVideoBitrate = 20e6;

export const canSaveClips = () => 'VideoEncoder' in window && 'AudioEncoder' in window;

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

// Resolves to { type, bytes, name }; `progress(done, total)` after each frame;
// `signal` (an AbortSignal) cancels; `reduce(t)`, when given, turns the frame
// drawn for t into the one the viewer sees (reduced flashing); `seeFrame(frame,
// n)`, when given, sees each RGB565 frame as it goes to the encoder. The frame
// on the screen is put back.
export async function makeClip(engine, soundtrack, from, to, { progress = () => {}, signal, reduce, seeFrame } = {}) {
  [from, to] = [wholeMs(from), wholeMs(to)];  // a range dragged on the bar can fall between ms
  const media = await import('./mediabunny.mjs');
  // Only those who save clips download the muxer; the service worker then keeps it for offline.
  navigator.serviceWorker?.controller?.postMessage({ fetch: [new URL('mediabunny.mjs', location.href).href] });
  const [width, height] = [frameSize.width * kClipScale, frameSize.height * kClipScale];
  const h264 = await media.canEncodeVideo('avc', { width, height, frameRate: kClipFps });
  if (!h264 && !(await media.canEncodeVideo('vp9', { width, height, frameRate: kClipFps }))) {
    throw new Error('This browser cannot encode H.264 or VP9 video.');
  }
  const format = h264 ? new media.Mp4OutputFormat({ fastStart: 'in-memory' }) : new media.WebMOutputFormat();
  const output = new media.Output({ format, target: new media.BufferTarget() });
  const canvas = new OffscreenCanvas(width, height);
  const context2d = canvas.getContext('2d');
  const image = context2d.createImageData(width, height);
  const video = new media.CanvasSource(canvas, { codec: h264 ? 'avc' : 'vp9', bitrate: kVideoBitrate });
  output.addVideoTrack(video, { frameRate: kClipFps });
  const audio = soundtrack && new media.AudioBufferSource({ codec: 'opus', quality: media.QUALITY_HIGH });
  if (audio) output.addAudioTrack(audio);

  const screen = new Uint8Array(engine.HEAPU8.buffer, engine._vantrelle_frame(), frameSize.bytes);
  const shown = screen.slice();
  const frame = new Uint16Array(engine.HEAPU8.buffer, engine._vantrelle_frame(), frameSize.width * frameSize.height);
  try {
    await output.start();
    if (audio) await audio.add(await soundFor(soundtrack, from, to));
    // One buffer from black, never cleared, as the render tool draws a range.
    engine._vantrelle_clear();
    const count = frameCount(from, to);
    for (let n = 0; n < count; ++n) {
      if (signal?.aborted) throw new DOMException('Cancelled', 'AbortError');
      const t = frameTime(from, n);
      engine._vantrelle_draw(t);
      const shown = reduce ? reduce(t) : frame;
      seeFrame?.(shown, n);
      enlarge(shown, image, kClipScale);
      context2d.putImageData(image, 0, 0);
      await video.add(n / kClipFps, 1 / kClipFps);
      progress(n + 1, count);
    }
    video.close();
    audio?.close();
    await output.finalize();
  } catch (error) {
    await output.cancel().catch((cancelling) => console.warn(`the clip's muxer: ${cancelling.message}`));
    throw error;
  } finally {
    screen.set(shown);
  }
  const type = h264 ? 'video/mp4' : 'video/webm';
  const name = `vantrelle-t${momentLabel(from)}-${momentLabel(to)}.${h264 ? 'mp4' : 'webm'}`;
  return { type, bytes: new Uint8Array(output.target.buffer), name };
}
