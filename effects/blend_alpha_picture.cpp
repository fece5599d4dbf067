#include "effects/blend_alpha_picture.h"

#include "core/blend_fields_x8.h"

namespace vantrelle {

void BlendAlphaPicture(FrameBuffer& frame, const std::uint16_t* picture, const std::uint8_t* alpha, std::int32_t width,
                       std::int32_t leftColumn) {
  for (int y = 0; y < kFrameHeight; ++y) {
    std::uint16_t* out = frame.data() + y * kFrameWidth + leftColumn;
    const std::uint16_t* source = picture + y * width;
    const std::uint8_t* opacity = alpha + y * width;
    std::int32_t j = 0;
    for (; j + simd::kLanes <= width; j += simd::kLanes) {
      simd::Store(out + j, BlendFieldsX8(simd::Load(out + j), simd::Load(source + j), simd::LoadBytes(opacity + j)));
    }
    for (; j < width; ++j) {
      out[j] = BlendFields(out[j], source[j], opacity[j]);
    }
  }
}

}  // namespace vantrelle
