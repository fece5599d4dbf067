#include "platform/progress_bar.h"

#include <gtest/gtest.h>

namespace vantrelle::platform {
namespace {

constexpr std::int32_t kLength = 251328;  // the show, ms

struct Output {
  int width;
  int height;
};

// Landscape, upright, and outputs too small for the margins.
constexpr Output kOutputs[] = {{400, 240}, {240, 400}, {20, 30}, {3, 2}, {1, 1}};

TEST(ProgressBar, LiesCentredAlongTheBottomEdgeInsideItsPanel) {
  for (const Output& output : kOutputs) {
    SCOPED_TRACE(std::to_string(output.width) + "x" + std::to_string(output.height));
    const ProgressBarLayout bar = LayOutProgressBar(output.width, output.height);
    EXPECT_GE(bar.x, 0);
    EXPECT_GE(bar.width, 1);
    EXPECT_LE(bar.x + bar.width, output.width);
    EXPECT_LE(output.width - (bar.x + bar.width) - bar.x, 1);  // the same margin at both ends
    EXPECT_GE(bar.y, bar.panelTop);
    EXPECT_LE(bar.y + bar.height, output.height);
    EXPECT_TRUE(OnProgressBar(bar, 0, output.height - 1));
    EXPECT_TRUE(OnProgressBar(bar, output.width - 1, bar.panelTop));
  }
  const ProgressBarLayout landscape = LayOutProgressBar(400, 240);
  EXPECT_GT(landscape.panelTop, 200);  // a thin band: most of the picture stays clear
  EXPECT_GE(landscape.width, 360);     // and a long track, for fine seeking
}

TEST(ProgressBar, OnlyThePanelTakesClicks) {
  const ProgressBarLayout bar = LayOutProgressBar(400, 240);
  const struct {
    int x, y;
    bool on;
  } cases[] = {
      {200, 239, true}, {0, bar.panelTop, true}, {399, 239, true},  {200, bar.panelTop - 1, false},
      {200, 0, false},  {-1, 239, false},        {400, 239, false}, {200, 240, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OnProgressBar(bar, c.x, c.y), c.on) << c.x << "," << c.y;
  }
}

TEST(ProgressBar, ColumnsRunFromTheStartOfTheTrackToItsEnd) {
  const ProgressBarLayout bar = LayOutProgressBar(400, 240);
  const struct {
    std::int32_t ms;
    int column;
  } cases[] = {
      {0, bar.x},
      {-1, bar.x},  // held at the ends
      {kLength, bar.x + bar.width},
      {kLength + 5000, bar.x + bar.width},
      {kLength / 2, bar.x + bar.width / 2},
      {kLength / 4, bar.x + bar.width / 4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProgressColumn(bar, c.ms, kLength), c.column) << c.ms;
  }
}

TEST(ProgressBar, AClickSeeksToTheFirstMomentOfItsColumnNeverToTheEnd) {
  for (const Output& output : {Output{400, 240}, Output{240, 400}}) {
    const ProgressBarLayout bar = LayOutProgressBar(output.width, output.height);
    EXPECT_EQ(ProgressTimeAt(bar, bar.x, kLength), 0);
    EXPECT_EQ(ProgressTimeAt(bar, 0, kLength), 0);  // the margins hold to the ends of the track
    EXPECT_EQ(ProgressTimeAt(bar, output.width - 1, kLength), ProgressTimeAt(bar, bar.x + bar.width - 1, kLength));
    EXPECT_LT(ProgressTimeAt(bar, output.width - 1, kLength), kLength);  // a click never ends the show
    for (int column = bar.x; column < bar.x + bar.width; ++column) {
      const std::int32_t ms = ProgressTimeAt(bar, column, kLength);
      ASSERT_EQ(ProgressColumn(bar, ms, kLength), column) << column;
      if (column > bar.x) {
        ASSERT_EQ(ProgressColumn(bar, ms - 1, kLength), column - 1) << column;
      }
    }
  }
  // Halfway along a 384-column track: column 192, the first ms at or past 192/384 of the show.
  EXPECT_EQ(ProgressTimeAt(LayOutProgressBar(400, 240), 200, kLength), 125664);
}

}  // namespace
}  // namespace vantrelle::platform
