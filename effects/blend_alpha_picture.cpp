#include "effects/blend_alpha_picture.h"

#include <cstdint>
#include <cstring>

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
      // Eight alphas of 0, all round the portrait, leave their pixels as they are.
      std::uint64_t alphas = 0;
      std::memcpy(&alphas, opacity + j, sizeof alphas);
      if (alphas == 0) continue;
      simd::Store(out + j, BlendFieldsX8(simd::Load(out + j), simd::Load(source + j), simd::LoadBytes(opacity + j)));
    }
    for (; j < width; ++j) {
      out[j] = BlendFields(out[j], source[j], opacity[j]);
    }
  }
}

}  // namespace vantrelle
