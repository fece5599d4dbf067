#pragma once
// Bloom: blurs a half-resolution copy of the frame with a 16 x 16 box and adds
// about twice the blurred light back onto every pixel, each RGB565 field
// saturating. Changes every pixel in place.
#include <array>
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

inline constexpr int kGlowWidth = kFrameWidth / 2;
inline constexpr int kGlowHeight = kFrameHeight / 2;

void ApplyGlow(FrameBuffer& frame);

}  // namespace vantrelle
