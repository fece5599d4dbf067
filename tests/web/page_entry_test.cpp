// The page's C entry points, built natively: the page passes whatever index
// its loop reaches, so every int must land inside the show.
#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "core/demo_clock.h"

extern "C" int vantrelle_segment_start(int index);

namespace vantrelle {
namespace {

TEST(PageEntry, SegmentStartsStayWithinTheShow) {
  // The second segment starts after the opening's 32 beats.
  for (auto [index, start] : {std::pair{INT_MIN, 0},
                              {-1, 0},
                              {0, 0},
                              {1, 32 * kBeatMs},
                              {25, kShowLengthMs},
                              {26, kShowLengthMs},
                              {INT_MAX, kShowLengthMs}}) {
    EXPECT_EQ(vantrelle_segment_start(index), start) << index;
  }
}

}  // namespace
}  // namespace vantrelle
