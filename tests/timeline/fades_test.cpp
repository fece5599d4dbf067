#include <gtest/gtest.h>

#include <cstdint>

#include "timeline/fades.h"

namespace vantrelle {
namespace {

// A frame with every RGB565 value somewhere in it.
FrameBuffer Mixed() {
  FrameBuffer frame;
  for (int i = 0; i < kFramePixels; ++i) frame[i] = static_cast<std::uint16_t>(i * 40503u);
  return frame;
}

// Each field moves level/256 of the way to its maximum (white) or to zero
// (black), truncated; levels outside 0..256 count as the nearer bound.
TEST(Fades, MoveEveryFieldByTheLevelTowardWhiteOrBlack) {
  const FrameBuffer mixed = Mixed();
  for (int level : {0, -5}) {
    FrameBuffer frame = mixed;
    FadeToWhite(frame, level);
    FadeToBlack(frame, level);
    EXPECT_EQ(frame, mixed) << level;
  }
  struct Case {
    std::uint16_t from;
    bool toWhite;
    int level;
    std::uint16_t to;
  };
  for (const Case& c : {Case{0x1234, true, 256, 0xFFFF}, Case{0x1234, false, 256, 0x0000},
                        Case{0x0000, true, 1000, 0xFFFF}, Case{0x0000, true, 128, 0x7BEF},  // half of each range
                        Case{0xFFFF, false, 128, 0x7BEF}, Case{0xFFFF, false, 1, 0xF7DE},
                        Case{0xFFFF, false, 255, 0x0000},  // 1/256 of each field truncates to nothing
                        Case{0x0000, true, 1, 0x0000}, Case{0xF800, true, 1, 0xF800}, Case{0x001F, true, 1, 0x001F}}) {
    FrameBuffer frame = Mixed();
    frame[7] = c.from;
    c.toWhite ? FadeToWhite(frame, c.level) : FadeToBlack(frame, c.level);
    EXPECT_EQ(frame[7], c.to) << std::hex << c.from << std::dec << " level " << c.level;
  }
}

}  // namespace
}  // namespace vantrelle
