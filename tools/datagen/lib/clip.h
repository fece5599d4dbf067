#pragma once
// gfx\clip01.raw: 246 frames of 80 x 60 intensities (drawn through the blue
// ramp), 122 ms each: a flight down a twisting tunnel that loops cleanly
// (frame 245 leads smoothly back into frame 0).
#include <cstdint>
#include <vector>

namespace vantrelle::datagen {

inline constexpr int kClipWidth = 80;
inline constexpr int kClipHeight = 60;
inline constexpr int kClipFrames = 246;

std::vector<std::uint8_t> MakeClip();

}  // namespace vantrelle::datagen
