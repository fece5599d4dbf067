#include <algorithm>

#include "core/blend_fields_x8.h"
#include "timeline/fades.h"

namespace vantrelle {

void FadeToWhite(FrameBuffer& frame, std::int32_t level) {
  const simd::U16x8 weight = simd::Splat(static_cast<std::uint16_t>(std::clamp(level, 0, 256)));
  const simd::U16x8 white = simd::Splat(0xFFFF);
  for (int i = 0; i < kFramePixels; i += simd::kLanes) {  // 96,000 pixels: whole vectors
    simd::Store(frame.data() + i, BlendFieldsX8(simd::Load(frame.data() + i), white, weight));
  }
}

}  // namespace vantrelle
