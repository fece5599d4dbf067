// Any bytes as the soundtrack: the decoder finds no audio and stays empty,
// or gives whole frames of 16-bit samples at a real rate.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/decode_mp3.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vantrelle::platform::DecodedSound sound;
  if (!vantrelle::platform::DecodeMp3(data, size, sound)) {
    if (!sound.samples.empty()) std::abort();
    return 0;
  }
  if (sound.channels < 1 || sound.channels > 2 || sound.rate <= 0) std::abort();
  if (sound.samples.size() % static_cast<std::size_t>(sound.channels) != 0) std::abort();
  return 0;
}
