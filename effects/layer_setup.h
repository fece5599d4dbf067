#pragma once
// Where a freely scaled 256 x 256 layer lands on the frame and how it steps
// through its texels. Position and size in x16 (1/16 pixel); the result is
// clipped to the frame, keeping the texel positions of the unclipped layer.
// A pixel samples texel ((u >> 16) AND 255) + 256 * ((v >> 16) AND 255).
#include <cstdint>

namespace vantrelle {

// A 256 x 256 layer's place on the frame: position and size in x16 (1/16
// pixel), width and height at least 1; the source's size in texels.
struct ScaledLayer {
  std::int32_t x = 0, y = 0, width = 0, height = 0;
  std::int32_t sourceWidth = 0, sourceHeight = 0;
};

struct LayerSpan {
  bool visible = false;       // false: nothing of the layer is on the frame
  std::int32_t firstRow = 0;  // frame pixels; end row and column exclusive
  std::int32_t endRow = 0;
  std::int32_t firstColumn = 0;  // may be >= endColumn: every row is then empty
  std::int32_t endColumn = 0;
  std::uint32_t uStart = 0;  // 16.16 texels at the first drawn pixel; wraps modulo 256 texels
  std::uint32_t vStart = 0;
  std::uint32_t du = 0;  // 16.16 texels per frame pixel
  std::uint32_t dv = 0;
};

LayerSpan LayerSetup(const ScaledLayer& layer);

// The texel column ((u >> 16) AND 255) each drawn frame column samples, the
// same on every row: texelColumns[firstColumn .. endColumn - 1].
void SampleColumns(const LayerSpan& span, std::uint8_t* texelColumns);

}  // namespace vantrelle
