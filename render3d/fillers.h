#pragma once
// Triangle fillers. Corners in 1/16 pixel (the frame spans 0..6399 x 0..3839),
// any order and winding; texture coordinates in 1/16 texel, wrapping every
// 4096; shades 0..255. Covered pixels are overwritten; nothing outside the
// 400 x 240 frame is touched.
#include <array>
#include <cstdint>

#include "core/frame_buffer.h"
#include "render3d/scan_triangle.h"

namespace vantrelle {

inline constexpr std::int32_t kPageTexels = 256 * 256;  // one texture page

// A triangle as its three corners, each carrying what its filler interpolates.
template <int N>
using Triangle = std::array<ScanCorner<N>, 3>;
using FlatTriangle = Triangle<0>;         // x, y only
using ShadedTriangle = Triangle<1>;       // a: {shade}
using TexturedTriangle = Triangle<2>;     // a: {u, v}
using LitTriangle = Triangle<4>;          // a: {u, v, light map u, light map v}
using PerspectiveTriangle = Triangle<3>;  // a: {z, u, v}; z the camera depth in 16.16, above 4096

// One RGB565 colour.
void FillFlat(FrameBuffer& frame, std::uint16_t colour, const FlatTriangle& t);

// table[shade]; table has 256 RGB565 entries.
void FillGouraud(FrameBuffer& frame, const std::uint16_t* table, const ShadedTriangle& t);

// Affine texel of a 256 x 256 RGB565 texture.
void FillTextured(FrameBuffer& frame, const std::uint16_t* texture, const TexturedTriangle& t);

// What FillTexturedLit reads: table[texel + 256 * light], texel from a 256 x
// 256 byte texture, light from a 256 x 256 byte light map; table has 65,536
// RGB565 entries.
struct LitMaterial {
  const std::uint8_t* texture;
  const std::uint8_t* lightMap;
  const std::uint16_t* table;
};
void FillTexturedLit(FrameBuffer& frame, const LitMaterial& material, const LitTriangle& t);

// Perspective-correct texel of a 256 x 256 RGB565 texture, in runs of 16 pixels.
void FillPerspective(FrameBuffer& frame, const std::uint16_t* texture, const PerspectiveTriangle& t);

}  // namespace vantrelle
