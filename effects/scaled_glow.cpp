#include "effects/scaled_glow.h"

#include "core/rgb565.h"
#include "effects/layer_setup.h"

namespace vantrelle {

void DrawScaledGlow(FrameBuffer& frame, const std::uint8_t* alpha, std::int32_t x, std::int32_t y, std::int32_t w,
                    std::int32_t h, std::int32_t srcW, std::int32_t srcH) {
  const LayerSpan s = LayerSetup(x, y, w, h, srcW, srcH);
  if (!s.visible) return;
  std::uint32_t v = s.vStart;
  for (std::int32_t row = s.firstRow; row < s.endRow; ++row, v += s.dv) {
    const std::uint8_t* texels = alpha + (((v >> 16) & 255u) << 8);
    std::uint16_t* out = frame.data() + row * kFrameWidth;
    std::uint32_t u = s.uStart;
    for (std::int32_t col = s.firstColumn; col < s.endColumn; ++col, u += s.du) {
      const std::uint32_t a = texels[(u >> 16) & 255u];
      const std::uint32_t p = out[col];
      // Toward white: the field mask itself is the white field.
      const std::uint32_t keep = 256 - a;
      out[col] = static_cast<std::uint16_t>((((p & kRedMask) * keep + a * kRedMask) >> 8 & kRedMask) |
                                            (((p & kGreenMask) * keep + a * kGreenMask) >> 8 & kGreenMask) |
                                            (((p & kBlueMask) * keep + a * kBlueMask) >> 8 & kBlueMask));
    }
  }
}

}  // namespace vantrelle
