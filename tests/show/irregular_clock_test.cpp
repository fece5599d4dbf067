// A slow or uneven frame rate never puts the picture out of step: with
// frames 1, 17, 230 and 1,000 ms apart, every frame equals the frame drawn
// for that time with another history. The reference frames are drawn first,
// from the end of the show back to its start, each over black and over
// white: every scene paints every pixel, so no frame leans on what an
// earlier one left, and none leans on state an earlier frame left behind.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "core/frame_buffer.h"
#include "show_data.h"
#include "testing/frame_hash.h"
#include "timeline/timeline.h"

namespace vantrelle {
namespace {

TEST(IrregularClock, FramesMatchFramesDrawnInAnotherOrder) {
  ASSERT_TRUE(LoadShowData().ok()) << LoadShowData().message;
  constexpr std::array<DemoClock, 4> kGaps = {1, 17, 230, 1000};
  std::vector<DemoClock> times;
  for (DemoClock t = 0; t < kShowLengthMs; t += kGaps[(times.size() - 1) % kGaps.size()]) {
    times.push_back(t);
  }
  ASSERT_EQ(times.size(), 808u);

  static FrameBuffer alone;
  static FrameBuffer aloneOnWhite;
  std::vector<std::uint64_t> expected(times.size());
  for (std::size_t i = times.size(); i-- > 0;) {
    alone.fill(0);
    aloneOnWhite.fill(0xFFFF);
    Timeline(alone, times[i]);
    Timeline(aloneOnWhite, times[i]);
    ASSERT_EQ(alone, aloneOnWhite) << "segment " << SegmentAt(times[i])->number << " leaves pixels at t = " << times[i];
    expected[i] = FrameHash(alone);
  }

  static FrameBuffer shown{};
  for (std::size_t i = 0; i < times.size(); ++i) {
    Timeline(shown, times[i]);
    ASSERT_EQ(FrameHash(shown), expected[i]) << "t = " << times[i];
  }
}

}  // namespace
}  // namespace vantrelle
