#include <gtest/gtest.h>

#include "headless_show.h"
#include "host/flip_frame.h"

namespace vantrelle::host {
namespace {

using namespace platform;

TEST_F(HeadlessShow, FlipRetriesWhileStillDrawing) {
  SetUpDisplayOnly();
  display->flipResults = {DDERR_WASSTILLDRAWING, DDERR_WASSTILLDRAWING, DD_OK};
  FlipFrame();
  EXPECT_EQ(display->flips, 3);
  EXPECT_EQ(display->shownFrames, 1);
  EXPECT_EQ(display->restores, 0);

  display->flipResults = {DDERR_WASSTILLDRAWING, E_FAIL, DDERR_WASSTILLDRAWING};
  FlipFrame();  // any other error gives up until the next frame
  EXPECT_EQ(display->flips, 5);
  EXPECT_EQ(display->shownFrames, 1);
}

TEST_F(HeadlessShow, LostSurfaceIsRestoredOnceAndNotFlippedAgain) {
  SetUpDisplayOnly();
  display->flipResults = {DDERR_SURFACELOST};
  FlipFrame();
  EXPECT_EQ(display->flips, 1);
  EXPECT_EQ(display->restores, 1);
  EXPECT_EQ(display->shownFrames, 0);

  display->flipResults = {DDERR_WASSTILLDRAWING, DDERR_SURFACELOST};
  display->restoreResults = {DDERR_SURFACELOST};  // a failed restore is dropped too
  FlipFrame();
  EXPECT_EQ(display->flips, 3);
  EXPECT_EQ(display->restores, 2);
  EXPECT_EQ(display->shownFrames, 0);

  FlipFrame();  // the next frame flips as usual
  EXPECT_EQ(display->flips, 4);
  EXPECT_EQ(display->shownFrames, 1);
}

}  // namespace
}  // namespace vantrelle::host
