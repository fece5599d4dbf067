#include "timeline/fades.h"

#include <algorithm>

#include "core/blend_fields_x8.h"

namespace vantrelle {
namespace {

// Weighs `colour` by level/256 against every pixel, field by field.
void FadeToward(FrameBuffer& frame, std::uint16_t colour, std::int32_t level) {
  const simd::U16x8 weight = simd::Splat(static_cast<std::uint16_t>(std::clamp(level, 0, 256)));
  const simd::U16x8 target = simd::Splat(colour);
  for (int i = 0; i < kFramePixels; i += simd::kLanes) {  // 96,000 pixels: whole vectors
    simd::Store(frame.data() + i, BlendFieldsX8(simd::Load(frame.data() + i), target, weight));
  }
}

}  // namespace

void FadeToWhite(FrameBuffer& frame, std::int32_t level) { FadeToward(frame, 0xFFFF, level); }

void FadeToBlack(FrameBuffer& frame, std::int32_t level) { FadeToward(frame, 0x0000, level); }

}  // namespace vantrelle
