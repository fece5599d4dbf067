#include <algorithm>

#include "core/rgb565.h"
#include "timeline/fades.h"

namespace vantrelle {

void FadeToBlack(FrameBuffer& frame, std::int32_t level) {
  const std::uint32_t k = 256 - static_cast<std::uint32_t>(std::clamp(level, 0, 256));
  for (std::uint16_t& p : frame) {
    const std::uint32_t r = (((p & kRedMask) * k) >> 8) & kRedMask;
    const std::uint32_t g = (((p & kGreenMask) * k) >> 8) & kGreenMask;
    const std::uint32_t b = (((p & kBlueMask) * k) >> 8) & kBlueMask;
    p = static_cast<std::uint16_t>(r | g | b);
  }
}

}  // namespace vantrelle
