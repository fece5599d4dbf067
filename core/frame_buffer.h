#pragma once
// The frame every effect draws into: 400 x 240 RGB565 pixels, rows top to
// bottom, pixel (column x, row y) at element 400 * y + x.
#include <array>
#include <cstdint>

namespace vantrelle {

inline constexpr int kFrameWidth = 400;
inline constexpr int kFrameHeight = 240;
inline constexpr int kFramePixels = kFrameWidth * kFrameHeight;  // 96,000

// The frame's centre in x16 (1/16 pixel): where the 3D scenes' optical axis lands.
inline constexpr std::int32_t kFrameCentreX16 = kFrameWidth * 16 / 2;   // 3200
inline constexpr std::int32_t kFrameCentreY16 = kFrameHeight * 16 / 2;  // 1920

using FrameBuffer = std::array<std::uint16_t, kFramePixels>;

}  // namespace vantrelle
