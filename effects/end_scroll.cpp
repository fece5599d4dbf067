#include "effects/end_scroll.h"

#include <cstdint>
#include <cstring>

#include "core/blend_fields_x8.h"

namespace vantrelle {

namespace {
constexpr int kLeftColumn = 50;  // centres the 300-wide scroll on the 400-wide frame
}

void DrawEndScroll(FrameBuffer& frame, const std::uint8_t* alpha, std::int32_t timeInSegment) {
  const std::int32_t firstRow = (30 * timeInSegment) / 1000;
  const simd::U16x8 white = simd::Splat(0xFFFF);
  for (int y = 0; y < kFrameHeight; ++y) {
    const std::uint8_t* source = alpha + (firstRow + y) * kEndScrollWidth;
    std::uint16_t* row = frame.data() + y * kFrameWidth + kLeftColumn;
    int j = 0;
    for (; j + simd::kLanes <= kEndScrollWidth; j += simd::kLanes) {
      // Most of the scroll is the space between lines: eight alphas of 0
      // leave their pixels as they are.
      std::uint64_t alphas = 0;
      std::memcpy(&alphas, source + j, sizeof alphas);
      if (alphas == 0) continue;
      simd::Store(row + j, BlendFieldsX8(simd::Load(row + j), white, simd::LoadBytes(source + j)));
    }
    for (; j < kEndScrollWidth; ++j) {
      row[j] = BlendFields(row[j], 0xFFFF, source[j]);
    }
  }
}

}  // namespace vantrelle
