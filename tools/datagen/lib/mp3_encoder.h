#pragma once
// MP3 encoding of interleaved 16-bit stereo through LAME, constant bit rate.
#include <cstdint>
#include <vector>

namespace vantrelle::datagen {

// Throws std::runtime_error if the encoder refuses the settings.
std::vector<std::uint8_t> EncodeMp3(const std::vector<std::int16_t>& interleaved, int sampleRate, int kbps);

}  // namespace vantrelle::datagen
