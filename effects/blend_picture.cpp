#include "effects/blend_picture.h"

#include "core/blend_fields_x8.h"

namespace vantrelle {

void BlendPicture(FrameBuffer& frame, const std::uint8_t* picture, const std::uint16_t* colours, std::int32_t level) {
  const simd::U16x8 weight = simd::Splat(static_cast<std::uint16_t>(level));
  // Eight palette colours looked up into one vector, then blended in (the
  // frame is 12,000 whole vectors).
  std::uint16_t* out = frame.data();
  for (int i = 0; i < kFramePixels; i += simd::kLanes) {
    simd::Store(out + i, BlendFieldsX8(simd::Load(out + i), simd::LookUpWords(colours, picture + i), weight));
  }
}

}  // namespace vantrelle
