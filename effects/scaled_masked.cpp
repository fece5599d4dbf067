#include "effects/scaled_masked.h"

#include "effects/layer_setup.h"

namespace vantrelle {

void DrawScaledMasked(FrameBuffer& frame, const std::uint16_t* colours, const std::uint16_t* mask,
                      const ScaledLayer& layer) {
  const LayerSpan s = LayerSetup(layer);
  if (!s.visible) return;
  std::uint32_t v = s.vStart;
  for (std::int32_t row = s.firstRow; row < s.endRow; ++row, v += s.dv) {
    const std::uint32_t texelRow = ((v >> 16) & 255u) << 8;
    const std::uint16_t* rowColours = colours + texelRow;
    const std::uint16_t* rowMask = mask + texelRow;
    std::uint16_t* out = frame.data() + row * kFrameWidth;
    std::uint32_t u = s.uStart;
    for (std::int32_t col = s.firstColumn; col < s.endColumn; ++col, u += s.du) {
      const std::uint32_t i = (u >> 16) & 255u;
      out[col] = static_cast<std::uint16_t>((rowMask[i] & out[col]) | rowColours[i]);
    }
  }
}

}  // namespace vantrelle
