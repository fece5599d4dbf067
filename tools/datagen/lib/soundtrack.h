#pragma once
// music\soundtrack.mp3: an original piece at one beat per 462 ms whose
// sections change on the scene bounds, with accents on the white flashes.
// Rendered at kSampleRate, stereo, then encoded as MP3.
#include <cstdint>
#include <vector>

#include "core/status.h"

namespace vantrelle::datagen {

inline constexpr int kBeatMs = 462;
inline constexpr int kShowBeats = 544;  // 251,328 ms
inline constexpr int kTailMs = 2600;    // the last chord rings out

// Interleaved 16-bit stereo samples of the whole piece, tail included.
std::vector<std::int16_t> RenderSoundtrack();

// The MP3 file (with an info frame that marks encoder delay and padding, so
// decoders that honour it put sample 0 at show time 0). Fails as EncodeMp3.
Result<std::vector<std::uint8_t>> MakeSoundtrack();

}  // namespace vantrelle::datagen
