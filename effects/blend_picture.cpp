#include "effects/blend_picture.h"

#include "core/rgb565.h"

namespace vantrelle {

void BlendPicture(FrameBuffer& frame, const std::uint8_t* picture, const std::uint16_t* colours,
                  std::int32_t level) {
  const auto weight = static_cast<std::uint32_t>(level);
  for (int i = 0; i < kFramePixels; ++i) {
    frame[i] = BlendFields(frame[i], colours[picture[i]], weight);
  }
}

}  // namespace vantrelle
