#include <algorithm>

#include "core/blend_fields_x8.h"
#include "timeline/fades.h"

namespace vantrelle {

void FadeToBlack(FrameBuffer& frame, std::int32_t level) {
  // Black weighs level/256 against the pixel: ((f * (256 - level)) >> 8) per field.
  const simd::U16x8 weight = simd::Splat(static_cast<std::uint16_t>(std::clamp(level, 0, 256)));
  const simd::U16x8 black = simd::Splat(0);
  for (int i = 0; i < kFramePixels; i += simd::kLanes) {  // 96,000 pixels: whole vectors
    simd::Store(frame.data() + i, BlendFieldsX8(simd::Load(frame.data() + i), black, weight));
  }
}

}  // namespace vantrelle
