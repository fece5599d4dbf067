#include "effects/clip_frame.h"

#include <algorithm>
#include <cstddef>

namespace vantrelle {
namespace {

constexpr int kClipWidth = 80;
constexpr int kClipHeight = 60;
constexpr int kClipFrameBytes = kClipWidth * kClipHeight;
constexpr std::int32_t kClipFrameMs = 122;  // one clip frame
constexpr int kCellWidth = 5;
constexpr int kCellHeight = 4;
constexpr std::int32_t kOneFifth = 13107;  // 65536 / 5, truncated: 16.16

// Draws the enlarged frame through the colours. Column 0, column 79 and row
// 59 of the clip start no cell: the 5-column side borders and the 4 bottom
// rows get colours[0].
void EnlargeClipFrame(FrameBuffer& frame, const std::uint8_t* clip, const std::uint16_t* colours) {
  const std::uint16_t border = colours[0];
  for (int r = 0; r + 1 < kClipHeight; ++r) {
    const std::uint8_t* upper = clip + r * kClipWidth;
    const std::uint8_t* lower = upper + kClipWidth;
    for (int k = 0; k < kCellHeight; ++k) {
      std::uint16_t* row = frame.data() + (kCellHeight * r + k) * kFrameWidth;
      std::fill_n(row, kCellWidth, border);
      std::fill_n(row + kFrameWidth - kCellWidth, kCellWidth, border);
    }
    for (int c = 1; c + 1 < kClipWidth; ++c) {
      const std::int32_t p0 = upper[c];
      const std::int32_t p1 = upper[c + 1];
      const std::int32_t p2 = lower[c];
      const std::int32_t p3 = lower[c + 1];
      // Steps down each edge round toward minus infinity.
      const std::int32_t stepLeft = (p2 - p0) >> 2;
      const std::int32_t stepRight = (p3 - p1) >> 2;
      std::int32_t left = p0;
      std::int32_t right = p1;
      std::uint16_t* cell = frame.data() + (kCellHeight * r) * kFrameWidth + kCellWidth * c;
      for (int k = 0; k < kCellHeight; ++k) {
        const std::int32_t step = ((right - left) * kOneFifth) >> 16;
        std::int32_t value = left;
        for (int j = 0; j < kCellWidth; ++j) {
          // A small downward step next to index 0 can dip below 0; the index
          // keeps the low 8 bits, and that is how the clip has always looked.
          cell[j] = colours[static_cast<std::uint8_t>(value)];
          value += step;
        }
        left += stepLeft;
        right += stepRight;
        cell += kFrameWidth;
      }
    }
  }
  const int bottom = kCellHeight * (kClipHeight - 1) * kFrameWidth;
  std::fill(frame.begin() + bottom, frame.end(), border);
}

}  // namespace

void DrawClipFrame(FrameBuffer& frame, const std::uint8_t* frames, const std::uint16_t* colours,
                   std::int32_t frameCount, std::int32_t timeInSegment) {
  std::int32_t index = (timeInSegment / kClipFrameMs) % frameCount;
  if (index < 0) {
    index += frameCount;  // a time before the scene must not read before the clip
  }
  EnlargeClipFrame(frame, frames + static_cast<std::ptrdiff_t>(index) * kClipFrameBytes, colours);
}

}  // namespace vantrelle
