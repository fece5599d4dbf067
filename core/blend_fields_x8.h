#pragma once
// BlendFields (rgb565.h) on eight pixels at once, through the vector layer.
#include "core/rgb565.h"
#include "core/simd.h"

namespace vantrelle {

// Each field of every lane of `pixel` moved toward the same field of `other`
// by weight/256, weight 0..256 per lane: exactly BlendFields lane by lane.
inline simd::U16x8 BlendFieldsX8(simd::U16x8 pixel, simd::U16x8 other, simd::U16x8 weight) {
  using namespace simd;
  // With the field shifted down, f * (256 - w) + o * w = f * 256 + (o - f) * w
  // is at most 63 * 256 and fits a lane; only the difference wraps.
  auto blend = [weight](U16x8 f, U16x8 o) { return ShiftRight<8>(Add(ShiftLeft<8>(f), MulLo(Sub(o, f), weight))); };
  const U16x8 blue = Splat(kBlueMask);
  const U16x8 green = Splat(kGreenMask >> 5);
  return Or(Or(ShiftLeft<11>(blend(ShiftRight<11>(pixel), ShiftRight<11>(other))),
               ShiftLeft<5>(blend(And(ShiftRight<5>(pixel), green), And(ShiftRight<5>(other), green)))),
            blend(And(pixel, blue), And(other, blue)));
}

}  // namespace vantrelle
