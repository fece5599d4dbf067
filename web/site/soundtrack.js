// The soundtrack, decoded by the browser.
export const soundtrackName = 'music/soundtrack.mp3';

export async function decodeSoundtrack(audio, bytes) {
  return audio.decodeAudioData(bytes.slice().buffer);
}
