#include "effects/end_scroll.h"

#include "core/rgb565.h"

namespace vantrelle {

namespace {
constexpr int kLeftColumn = 50;  // centres the 300-wide scroll on the 400-wide frame
}

void DrawEndScroll(FrameBuffer& frame, const std::uint8_t* alpha, std::int32_t timeInSegment) {
  const std::int32_t firstRow = (30 * timeInSegment) / 1000;
  for (int y = 0; y < kFrameHeight; ++y) {
    const std::uint8_t* source = alpha + (firstRow + y) * kEndScrollWidth;
    std::uint16_t* row = frame.data() + y * kFrameWidth + kLeftColumn;
    for (int j = 0; j < kEndScrollWidth; ++j) {
      row[j] = BlendFields(row[j], 0xFFFF, source[j]);
    }
  }
}

}  // namespace vantrelle
