#include "effects/layer_setup.h"

#include "core/frame_buffer.h"
#include "core/wrap.h"

namespace vantrelle {
namespace {

struct Axis {
  std::int32_t first;   // first whole pixel, before clipping
  std::int32_t end;     // exclusive, limited to the frame
  std::uint32_t start;  // 16.16 texel at the first pixel
};

// One axis of the layer: pos and size in x16, step in 16.16, frame length in pixels.
Axis SetUpAxis(std::int32_t pos, std::int32_t size, std::uint32_t step, std::int32_t frameLength) {
  Axis a{};
  const std::int32_t ceilPos = WrapAdd(pos, 15);
  a.first = ceilPos >> 4;  // ceiling of pos / 16
  // Sixteenths from the layer's edge to the first whole pixel, times the step;
  // the product is shifted as an unsigned number, so it never goes negative.
  const std::uint32_t preStep = static_cast<std::uint32_t>(WrapSub(ceilPos & ~15, pos));
  a.start = (preStep * step) >> 4;
  // The size is taken up to whole pixels from the unclipped first pixel.
  const std::int32_t end = WrapAdd(a.first, WrapAdd(size, 15) >> 4);
  a.end = end < frameLength ? end : frameLength;
  return a;
}

}  // namespace

LayerSpan LayerSetup(const ScaledLayer& layer) {
  const std::int32_t x = layer.x, y = layer.y, w = layer.width, h = layer.height;
  const std::int32_t srcW = layer.sourceWidth, srcH = layer.sourceHeight;
  LayerSpan s;
  s.du = static_cast<std::uint32_t>(WrapShl(srcW, 20) / w);  // 16.16 texels per pixel
  s.dv = static_cast<std::uint32_t>(WrapShl(srcH, 20) / h);

  Axis rows = SetUpAxis(y, h, s.dv, kFrameHeight);
  Axis cols = SetUpAxis(x, w, s.du, kFrameWidth);

  // Clipping at the top and left advances the start so that every drawn
  // pixel samples the texel it would have sampled unclipped.
  if (rows.first < 0) {
    rows.start += static_cast<std::uint32_t>(WrapNeg(rows.first)) * s.dv;
    rows.first = 0;
  }
  if (cols.first < 0) {
    cols.start += static_cast<std::uint32_t>(WrapNeg(cols.first)) * s.du;
    cols.first = 0;
  }

  s.firstRow = rows.first;
  s.endRow = rows.end;
  s.firstColumn = cols.first;
  s.endColumn = cols.end;
  s.vStart = rows.start;
  s.uStart = cols.start;
  s.visible = !(cols.first >= kFrameWidth || cols.end <= 0 || rows.first >= kFrameHeight || rows.end <= 0 ||
                rows.first >= rows.end);
  return s;
}

void SampleColumns(const LayerSpan& span, std::uint8_t* texelColumns) {
  std::uint32_t u = span.uStart;
  for (std::int32_t column = span.firstColumn; column < span.endColumn; ++column, u += span.du) {
    texelColumns[column] = static_cast<std::uint8_t>(u >> 16);
  }
}

}  // namespace vantrelle
