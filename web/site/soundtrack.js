// The soundtrack, decoded by the browser, starting with the music's first
// sample. An MP3 encoder puts silence before the music (its delay) and after
// it (padding to a whole frame) and says how much in its info frame; the
// decoder adds a delay of its own. Some browsers drop all of it, some not.
export const soundtrackName = 'music/soundtrack.mp3';

const kDecoderDelay = 529;  // samples every layer III decoder adds before the sound
const kRates = { 3: [44100, 48000, 32000], 2: [22050, 24000, 16000], 0: [11025, 12000, 8000] };

// From the first frame's info tag: the file's rate, the samples per channel
// to skip and the music's own length; null without a tag.
function gaplessInfo(bytes) {
  const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  const header = view.getUint32(0);
  const version = header >> 19 & 3;
  const rate = kRates[version]?.[header >> 10 & 3];
  if (header >>> 21 !== 0x7ff || !rate) return null;  // no frame sync
  const mono = (header >> 6 & 3) === 3;
  const at = 4 + (version === 3 ? (mono ? 17 : 32) : (mono ? 9 : 17));  // past the side information
  const flags = view.getUint32(at + 4);
  if (!['Xing', 'Info'].includes(String.fromCharCode(...bytes.subarray(at, at + 4))) || !(flags & 1)) return null;
  const samples = view.getUint32(at + 8) * (version === 3 ? 1152 : 576);
  const lame = at + 12 + 4 * !!(flags & 2) + 100 * !!(flags & 4) + 4 * !!(flags & 8);
  const delay = bytes[lame + 21] << 4 | bytes[lame + 22] >> 4;
  const padding = (bytes[lame + 22] & 15) << 8 | bytes[lame + 23];
  return { rate, skip: delay + kDecoderDelay, length: samples - delay - padding };
}

export async function decodeSoundtrack(audio, bytes) {
  const decoded = await audio.decodeAudioData(bytes.slice().buffer);
  const info = gaplessInfo(bytes);
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
