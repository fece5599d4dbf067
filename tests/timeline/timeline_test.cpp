#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "core/sin_tables.h"
#include "timeline/timeline.h"

namespace vantrelle {
namespace {

// What each segment draws is pinned by the whole-show frame hashes; here,
// the edges of the score that no frame shows.
TEST(Timeline, EndsAtTheLastBeatAndLeavesTheFrameAlone) {
  BuildSinCosTables();
  FrameBuffer frame;
  frame.fill(0x1234);
  const FrameBuffer before = frame;
  for (DemoClock t : {kShowLengthMs, kShowLengthMs + 1, 300000}) {
    EXPECT_EQ(Timeline(frame, t), 0) << t;
    EXPECT_EQ(frame, before) << t;
  }
  EXPECT_EQ(Timeline(frame, kShowLengthMs - 1), 1);

  // The segment playing at a time, the score's order being checked where it is written.
  for (auto [t, number] : {std::pair{0, 1}, {44351, 7}, {44352, 8}, {251327, 25}}) {
    EXPECT_EQ(SegmentAt(t)->number, number);
  }
  EXPECT_EQ(SegmentAt(kShowLengthMs), nullptr);
  EXPECT_EQ(SegmentAt(-1), nullptr);
}

}  // namespace
}  // namespace vantrelle
