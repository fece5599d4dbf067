// The page's C entry points, built natively: the page passes whatever index
// its loop reaches, so every int must land inside the show.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "core/demo_clock.h"
#include "testing/test_data_directory.h"

extern "C" int vantrelle_segment_start(int index);
extern "C" int vantrelle_segment_count();
extern "C" int vantrelle_frame_width();
extern "C" int vantrelle_frame_height();
extern "C" const char* vantrelle_load(const char* directory);
extern "C" int vantrelle_make_flash_map();
extern "C" int vantrelle_make_flash_map_step(int frames);
extern "C" int vantrelle_make_flash_map_progress();
extern "C" const char* vantrelle_made_flash_map();

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

// The page sizes its loops and its frame by these instead of numbers of its own.
TEST(PageEntry, CountAndFrameSizeDescribeTheShow) {
  const int count = vantrelle_segment_count();
  EXPECT_EQ(count, 25);
  EXPECT_LT(vantrelle_segment_start(count - 1), kShowLengthMs);  // the last counted segment plays
  EXPECT_EQ(vantrelle_segment_start(count), kShowLengthMs);
  EXPECT_EQ(vantrelle_frame_width(), 400);
  EXPECT_EQ(vantrelle_frame_height(), 240);
}

// The page's worker makes a map a few frames at a time, telling how far it
// is, and starts from nothing when other data is opened. Progress is in
// thousandths of the usual 12 passes; the first, at 60 fps, has 15,080 frames.
TEST(PageEntry, FlashMapIsMadeInStepsAndStartsAgain) {
  const TestDataDirectory data;
  ASSERT_STREQ(vantrelle_load(data.path().string().c_str()), "");
  ASSERT_EQ(vantrelle_make_flash_map(), 1);
  const struct {
    int frames;
    int progress;  // floor(frames so far * 1000 / (12 * 15080))
  } steps[] = {{0, 0}, {200, 1}, {554, 4}, {754, 8}};
  for (const auto& step : steps) {
    EXPECT_EQ(vantrelle_make_flash_map_step(step.frames), 1) << step.frames;
    EXPECT_EQ(vantrelle_make_flash_map_progress(), step.progress) << step.frames;
    EXPECT_STREQ(vantrelle_made_flash_map(), "");
  }
  ASSERT_EQ(vantrelle_make_flash_map(), 1);
  EXPECT_EQ(vantrelle_make_flash_map_progress(), 0);
  EXPECT_EQ(vantrelle_make_flash_map_step(754), 1);
  EXPECT_EQ(vantrelle_make_flash_map_progress(), 4);
}

}  // namespace
}  // namespace vantrelle
