#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
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
    EXPECT_FALSE(Timeline(frame, t)) << t;
    EXPECT_EQ(frame, before) << t;
  }
  EXPECT_TRUE(Timeline(frame, kShowLengthMs - 1));

  // The segment playing at a time, the score's order being checked where it is written.
  for (auto [t, number] : {std::pair{0, 1}, {44351, 7}, {44352, 8}, {251327, 25}}) {
    EXPECT_EQ(SegmentAt(t)->number, number);
  }
  EXPECT_EQ(SegmentAt(kShowLengthMs), nullptr);
  EXPECT_EQ(SegmentAt(-1), nullptr);
}

// Worked by hand from the opening's formulas: the glow rises 37/16 pixel a
// beat and the planet sinks 17/16, both growing from their first size.
TEST(Timeline, PlacesTheOpeningLayers) {
  struct Case {
    DemoClock t;
    std::int32_t starSkyRow;
    ScaledLayer glow, planet;
    std::int32_t rayRow;
  };
  const Case cases[] = {
      {0, 0, {1920, 1600, 2560, 2560, 160, 160}, {1152, 1280, 4096, 4096, 256, 256}, 180},
      {7000, 233, {1532, 1040, 3337, 3337, 160, 160}, {452, 1537, 5496, 5496, 256, 256}, 145},
      {14783, 492, {1099, 417, 4202, 4202, 160, 160}, {-326, 1823, 7052, 7052, 256, 256}, 106},
  };
  for (const Case& c : cases) {
    const OpeningLayout layout = OpeningLayoutAt(c.t);
    EXPECT_EQ(layout.starSkyRow, c.starSkyRow) << c.t;
    for (auto [got, want] : {std::pair{layout.glow, c.glow}, {layout.planet, c.planet}}) {
      EXPECT_EQ(std::tie(got.x, got.y, got.width, got.height, got.sourceWidth, got.sourceHeight),
                std::tie(want.x, want.y, want.width, want.height, want.sourceWidth, want.sourceHeight))
          << c.t;
    }
    EXPECT_EQ(layout.rays.centreColumn, 200);
    EXPECT_EQ(layout.rays.centreRow, c.rayRow) << c.t;
    EXPECT_EQ(layout.rays.mode, 1);
    EXPECT_EQ(layout.rays.threshold, 240);
  }
}

}  // namespace
}  // namespace vantrelle
