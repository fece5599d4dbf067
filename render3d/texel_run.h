#pragma once
// A row of texels at evenly spaced texture positions, eight at a time: the
// inner loop of the affine textured filler.
#include <cstdint>

#include "core/simd.h"
#include "render3d/scan_triangle.h"

namespace vantrelle {

// out[k] = texture[TexelIndex(u + k * du, v + k * dv)] for k < count rounded
// up to a whole vector, eight pixels at a time in 32-bit lanes; the
// positions are 16.16 texels and wrap modulo 2^32. out must have room for the
// rounding (the filler passes whole vectors and draws the rest one by one).
inline void DrawTexelVectors(std::uint16_t* out, std::int32_t count, const std::uint16_t* texture, std::uint32_t u,
                             std::uint32_t v, std::uint32_t du, std::uint32_t dv) {
  // The texel column is bits 16..23 of u: kept 8 bits higher, it is the sum's
  // top byte, and the row is bits 16..23 of v moved to 8..15.
  const simd::U32x4 rowBits = simd::Splat32(0xFF00u);
  const simd::U32x4 duTop4 = simd::Splat32(du << 10);  // 4 × du, 8 bits higher
  const simd::U32x4 dv4 = simd::Splat32(dv << 2);
  simd::U32x4 uTop = simd::Ramp32(u << 8, du << 8);
  simd::U32x4 vs = simd::Ramp32(v, dv);
  for (std::int32_t k = 0; k < count; k += simd::kLanes) {
    const simd::U32x4 first = simd::Or(simd::And(simd::ShiftRight<8>(vs), rowBits), simd::ShiftRight<24>(uTop));
    uTop = simd::Add(uTop, duTop4);
    vs = simd::Add(vs, dv4);
    const simd::U32x4 second = simd::Or(simd::And(simd::ShiftRight<8>(vs), rowBits), simd::ShiftRight<24>(uTop));
    uTop = simd::Add(uTop, duTop4);
    vs = simd::Add(vs, dv4);
    simd::Store(out + k, simd::GatherWords(texture, first, second));
  }
}

}  // namespace vantrelle
