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

// The horizontally blurred half-resolution frame: red << 16 | green << 8 | blue,
// 8 bits each. Scratch: rewritten by every call.
extern std::array<std::uint32_t, kGlowWidth * kGlowHeight> GlowBuffer;

void ApplyGlow(FrameBuffer& frame);

}  // namespace vantrelle
