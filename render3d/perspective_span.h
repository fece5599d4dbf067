#pragma once
// One row of the perspective filler, on its own so that it can be checked
// against its meaning pixel by pixel.
#include <cstdint>

#include "render3d/scan_triangle.h"

namespace vantrelle {

// Writes row[x .. end - 1] (end - x at most 400) from a 256 x 256 RGB565
// texture. at holds u/z, v/z and q = 2^40/z at pixel x, step their change per
// pixel. Every 16 pixels from x, u = FixMul(u/z, 2^40/q) and likewise v (16.16
// texels) are exact; in between they move by (next - this) >> 4 a pixel, the
// last run heading for the value 16 pixels on. Other pixels are untouched.
void DrawPerspectiveSpan(std::uint16_t* row, std::int32_t x, std::int32_t end, const std::uint16_t* texture,
                         const ScanValues<3>& at, const ScanValues<3>& step);

// trunc(2^40 / value), held at the 32-bit limits; 0 counts as the largest.
std::int32_t Reciprocal40(std::int32_t value);

}  // namespace vantrelle
