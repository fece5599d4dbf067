#include <algorithm>

#include "core/rgb565.h"
#include "timeline/fades.h"

namespace vantrelle {

void FadeToWhite(FrameBuffer& frame, std::int32_t level) {
  const std::uint32_t l = static_cast<std::uint32_t>(std::clamp(level, 0, 256));
  const std::uint32_t k = 256 - l;
  const std::uint32_t red = l * kRedMask;
  const std::uint32_t green = l * kGreenMask;
  const std::uint32_t blue = l * kBlueMask;
  for (std::uint16_t& p : frame) {
    const std::uint32_t r = (((p & kRedMask) * k + red) >> 8) & kRedMask;
    const std::uint32_t g = (((p & kGreenMask) * k + green) >> 8) & kGreenMask;
    const std::uint32_t b = (((p & kBlueMask) * k + blue) >> 8) & kBlueMask;
    p = static_cast<std::uint16_t>(r | g | b);
  }
}

}  // namespace vantrelle
