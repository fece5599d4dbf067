#pragma once
// Look-up tables of the light rays and the radial texture.
// Start-up fills them (build_effect_tables.h); the show only reads them.
#include <array>
#include <cstdint>

namespace vantrelle {

extern const std::array<std::int32_t, 512>& SaturateTable;          // min(i, 255)
extern const std::array<std::uint8_t, 384000>& InverseDistanceMap;  // 800 x 480
extern const std::array<std::uint16_t, 384000>& PolarMap;           // 800 x 480: angle | (distance / 4) << 8
extern const std::array<std::int32_t, 65536>& BrightnessTable;      // per RGB565 colour
extern const std::array<std::int32_t, 65536>& RaySourceX;           // [dy * 256 + dx], 8.8
extern const std::array<std::int32_t, 65536>& RaySourceY;

// RaySourceX/Y unpacked for the light-ray sweep, one record per cell: the
// four bilinear weights of the source point (each out of 256, truncated on its
// own) and, off the centre row and column, where the 2 x 2 block around it
// starts. That block lies one or two rows and columns nearer the centre; its
// start is its first pixel in memory, from the cell, in frame pixels, one per
// quadrant (index: 1 for cells left of the centre, plus 2 for cells above it).
struct RayTap {
  std::uint16_t nearNear;                  // (256 - fx)(256 - fy) >> 8: near row, near column
  std::uint16_t farNear;                   // (256 - fx) fy >> 8: far row, near column
  std::uint16_t nearFar;                   // fx (256 - fy) >> 8
  std::uint16_t farFar;                    // fx fy >> 8
  std::array<std::int16_t, 4> blockStart;  // 0 on the centre row and column
};
extern const std::array<RayTap, 65536>& RayTaps;  // [dy * 256 + dx]

}  // namespace vantrelle
