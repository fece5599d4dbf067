// The page's C entry points, built natively: the page passes whatever index
// its loop reaches, so every int must land inside the show.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>
#include <utility>

#include "core/demo_clock.h"

extern "C" int vantrelle_segment_start(int index);
extern "C" const char* vantrelle_flash_map(const char* file, const char* directory);
extern "C" void vantrelle_flash_whole_show(int scale, int level);
extern "C" int vantrelle_flash_reduces(int t);
extern "C" int vantrelle_flash_stretch_count();
extern "C" int vantrelle_flash_stretch_from(int index);
extern "C" int vantrelle_flash_stretch_to(int index);

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

TEST(PageEntry, FlashStretchesStayWithinTheMap) {
  EXPECT_NE(std::string(vantrelle_flash_map("/nonexistent/flash.map", "/nonexistent")), "");
  EXPECT_EQ(vantrelle_flash_stretch_count(), 0);  // a map that is not there reduces nothing
  EXPECT_EQ(vantrelle_flash_reduces(1000), 0);
  vantrelle_flash_whole_show(286, 13107);
  EXPECT_EQ(vantrelle_flash_stretch_count(), 1);
  EXPECT_EQ(vantrelle_flash_reduces(0), 1);
  EXPECT_EQ(vantrelle_flash_reduces(kShowLengthMs - 1), 1);
  for (auto [index, from, to] :
       {std::tuple{INT_MIN, 0, 0}, {-1, 0, 0}, {0, 0, kShowLengthMs}, {1, 0, 0}, {INT_MAX, 0, 0}}) {
    EXPECT_EQ(vantrelle_flash_stretch_from(index), from) << index;
    EXPECT_EQ(vantrelle_flash_stretch_to(index), to) << index;
  }
}

}  // namespace
}  // namespace vantrelle
