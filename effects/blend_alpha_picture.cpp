#include "effects/blend_alpha_picture.h"

#include "core/rgb565.h"

namespace vantrelle {

void BlendAlphaPicture(FrameBuffer& frame, const std::uint16_t* picture, const std::uint8_t* alpha,
                       std::int32_t width, std::int32_t leftColumn) {
  for (int y = 0; y < kFrameHeight; ++y) {
    std::uint16_t* out = frame.data() + y * kFrameWidth + leftColumn;
    const std::uint16_t* source = picture + y * width;
    const std::uint8_t* opacity = alpha + y * width;
    for (std::int32_t j = 0; j < width; ++j) {
      out[j] = BlendFields(out[j], source[j], opacity[j]);
    }
  }
}

}  // namespace vantrelle
