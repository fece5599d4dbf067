// The page's C entry points, built natively: the page passes whatever index
// its loop reaches, so every int must land inside the show.
#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "core/demo_clock.h"

extern "C" int vantrelle_segment_start(int index);
extern "C" int vantrelle_segment_count();
extern "C" int vantrelle_frame_width();
extern "C" int vantrelle_frame_height();

namespace vantrelle {
namespace {

// The page sizes its loops and its frame by these instead of numbers of its own.
TEST(PageEntry, SegmentsAndFrameDescribeTheShow) {
  EXPECT_EQ(vantrelle_segment_count(), 25);
  EXPECT_EQ(vantrelle_frame_width(), 400);
  EXPECT_EQ(vantrelle_frame_height(), 240);
  // The second segment starts after the opening's 32 beats; the last counted one plays.
  for (auto [index, start] : {std::pair{INT_MIN, 0},
                              {-1, 0},
                              {0, 0},
                              {1, 32 * kBeatMs},
                              {25, kShowLengthMs},
                              {26, kShowLengthMs},
                              {INT_MAX, kShowLengthMs}}) {
    EXPECT_EQ(vantrelle_segment_start(index), start) << index;
  }
  EXPECT_LT(vantrelle_segment_start(24), kShowLengthMs);
}

}  // namespace
}  // namespace vantrelle
