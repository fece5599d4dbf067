// The page's C entry points, built natively: the page passes whatever index
// its loop reaches, so every int must land inside the show.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
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
extern "C" const std::uint16_t* vantrelle_upright(const std::uint16_t* frame);
extern "C" int vantrelle_vertical_layout(int index);

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

// A vertical clip: the upright picture (240 x 400) enlarged 4 times, centred
// in 1080 x 1920 with 60 and 160 pixels of black each side.
TEST(PageEntry, VerticalLayoutCentresTheUprightPicture) {
  for (auto [index, value] :
       {std::pair{INT_MIN, 0}, {-1, 0}, {0, 1080}, {1, 1920}, {2, 4}, {3, 60}, {4, 160}, {5, 0}}) {
    EXPECT_EQ(vantrelle_vertical_layout(index), value) << index;
  }
}

// Held upright, landscape pixel (c, r) is display pixel (239 - r, c).
TEST(PageEntry, UprightTurnsTheFrameAsTheHandheldWasHeld) {
  static std::uint16_t frame[400 * 240];
  for (int i = 0; i < 400 * 240; ++i) frame[i] = static_cast<std::uint16_t>(i * 2654435761u >> 16);
  const std::uint16_t* upright = vantrelle_upright(frame);
  for (int r = 0; r < 240; ++r) {
    for (int c = 0; c < 400; ++c) ASSERT_EQ(upright[c * 240 + (239 - r)], frame[r * 400 + c]) << c << "," << r;
  }
}

}  // namespace
}  // namespace vantrelle
