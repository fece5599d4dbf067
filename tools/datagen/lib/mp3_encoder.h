#pragma once
// MP3 encoding of interleaved 16-bit stereo through LAME, constant bit rate.
#include <cstdint>
#include <vector>

#include "core/status.h"

namespace vantrelle::datagen {

// Fails with kUnwritable if the encoder cannot start, refuses the settings
// or fails while encoding.
Result<std::vector<std::uint8_t>> EncodeMp3(const std::vector<std::int16_t>& interleaved, int sampleRate, int kbps);

}  // namespace vantrelle::datagen
