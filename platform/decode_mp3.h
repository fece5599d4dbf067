#pragma once
// Decodes a whole MP3 held in memory into 16-bit PCM, before playback, so
// that nothing is decoded or allocated while the show runs.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrelle::platform {

struct DecodedSound {
  std::vector<std::int16_t> samples;  // interleaved, `channels` per frame
  long rate = 0;                      // frames per second
  int channels = 0;
};

// The sound's length in whole milliseconds; 0 when empty.
inline std::int64_t LengthMs(const DecodedSound& sound) {
  if (sound.channels <= 0 || sound.rate <= 0) {
    return 0;
  }
  return static_cast<std::int64_t>(sound.samples.size() / static_cast<std::size_t>(sound.channels)) * 1000 / sound.rate;
}

// Decodes data[0, length) gaplessly: the encoder's delay and padding (from
// its info frame) are dropped, so the first sample is the music's first.
// Zero bytes or other junk after the last frame are skipped. Returns false
// (and leaves `sound` empty) when no audio can be found.
bool DecodeMp3(const std::uint8_t* data, std::size_t length, DecodedSound& sound);

}  // namespace vantrelle::platform
