#pragma once
// Triangle fillers. Corners in 1/16 pixel (the frame spans 0..6399 x 0..3839),
// any order and winding; texture coordinates in 1/16 texel, wrapping every
// 4096; shades 0..255. Covered pixels are overwritten; nothing outside the
// 400 x 240 frame is touched.
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

// One RGB565 colour.
void FillFlat(FrameBuffer& frame, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::int32_t x2,
              std::int32_t y2, std::uint16_t colour);

// table[shade], shade interpolated from s0..s2; table has 256 RGB565 entries.
void FillGouraud(FrameBuffer& frame, const std::uint16_t* table, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                 std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t s0, std::int32_t s1, std::int32_t s2);

// Affine texel of a 256 x 256 RGB565 texture.
void FillTextured(FrameBuffer& frame, const std::uint16_t* texture, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                  std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t u0, std::int32_t v0, std::int32_t u1,
                  std::int32_t v1, std::int32_t u2, std::int32_t v2);

// table[texel + 256 * light]: texel from a 256 x 256 byte texture, light from
// a 256 x 256 byte light map; table has 65,536 RGB565 entries.
void FillTexturedLit(FrameBuffer& frame, const std::uint8_t* texture, const std::uint8_t* lightMap,
                     const std::uint16_t* table, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                     std::int32_t x2, std::int32_t y2, std::int32_t u0, std::int32_t v0, std::int32_t u1,
                     std::int32_t v1, std::int32_t u2, std::int32_t v2, std::int32_t lu0, std::int32_t lv0,
                     std::int32_t lu1, std::int32_t lv1, std::int32_t lu2, std::int32_t lv2);

// Perspective-correct texel of a 256 x 256 RGB565 texture, in runs of 16
// pixels. z0..z2 are camera depths in 16.16, above 4096.
void FillPerspective(FrameBuffer& frame, const std::uint16_t* texture, std::int32_t x0, std::int32_t y0,
                     std::int32_t z0, std::int32_t x1, std::int32_t y1, std::int32_t z1, std::int32_t x2,
                     std::int32_t y2, std::int32_t z2, std::int32_t u0, std::int32_t v0, std::int32_t u1,
                     std::int32_t v1, std::int32_t u2, std::int32_t v2);

}  // namespace vantrelle
