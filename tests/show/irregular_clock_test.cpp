// A slow or uneven frame rate never puts the picture out of step: with
// frames 1, 17, 230 and 1,000 ms apart, every frame equals the frame drawn
// for that time on its own. Every scene paints every pixel, which the test
// checks too (the same frame over black and over white), so no frame leans
// on what an earlier one left.
#include <gtest/gtest.h>

#include <array>

#include "core/frame_buffer.h"
#include "show_data.h"
#include "timeline/timeline.h"

namespace vantrelle {
namespace {

TEST(IrregularClock, FramesMatchFramesDrawnAlone) {
  ASSERT_TRUE(LoadShowData().ok()) << LoadShowData().message;
  static FrameBuffer shown{};
  static FrameBuffer alone;
  static FrameBuffer aloneOnWhite;
  constexpr std::array<DemoClock, 4> kGaps = {1, 17, 230, 1000};
  int compared = 0;
  std::size_t gap = 0;
  for (DemoClock t = 0; t < kShowLengthMs; t += kGaps[gap++ % kGaps.size()]) {
    Timeline(shown, t);
    alone.fill(0);
    aloneOnWhite.fill(0xFFFF);
    Timeline(alone, t);
    Timeline(aloneOnWhite, t);
    ASSERT_EQ(alone, aloneOnWhite) << "segment " << SegmentAt(t)->number << " leaves pixels at t = " << t;
    ASSERT_EQ(shown, alone) << "t = " << t;
    ++compared;
  }
  EXPECT_EQ(compared, 808);
}

}  // namespace
}  // namespace vantrelle
