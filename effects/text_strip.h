#pragma once
// A line of text laid across the frame as dark letters, blurred horizontally
// by a box of 2 x radius bytes. strip: 400 x 64 intensities (255 darkest);
// overwrites frame rows topRow..topRow + 63 (topRow in 0..176); radius 0..115.
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

inline constexpr int kStripWidth = 400;
inline constexpr int kStripHeight = 64;

void DrawTextStrip(FrameBuffer& frame, const std::uint8_t* strip, std::int32_t topRow, std::int32_t blurRadius);

}  // namespace vantrelle
