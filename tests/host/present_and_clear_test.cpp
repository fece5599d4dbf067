#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "headless_show.h"
#include "host/display.h"
#include "host/present_frame.h"
#include "platform/turn_display_to_landscape.h"

namespace vantrelle::host {
namespace {

using platform::HeadlessDisplayConfig;

TEST_F(HeadlessShow, FrameCornersLandTurnedAQuarterTurnClockwise) {
  SetUpDisplayOnly();
  shell->frame.fill(0x0101);
  shell->frame[0] = 0x1111;                // (0, 0)
  shell->frame[399] = 0x2222;              // (399, 0)
  shell->frame[239 * 400] = 0x3333;        // (0, 239)
  shell->frame[239 * 400 + 399] = 0x4444;  // (399, 239)
  shell->frame[10 * 400 + 20] = 0x5555;    // (20, 10)
  PresentFrame(shell->frame, *shell->display.backBuffer);
  const auto& back = display->attached[0];
  EXPECT_EQ(back.Pixel(239, 0), 0x1111);    // top-right
  EXPECT_EQ(back.Pixel(239, 399), 0x2222);  // bottom-right
  EXPECT_EQ(back.Pixel(0, 0), 0x3333);      // top-left
  EXPECT_EQ(back.Pixel(0, 399), 0x4444);    // bottom-left
  EXPECT_EQ(back.Pixel(229, 20), 0x5555);
  EXPECT_EQ(back.Pixel(1, 1), 0x0101);
  EXPECT_EQ(back.locks, 1);
  EXPECT_EQ(back.unlocks, 1);
}

TEST_F(HeadlessShow, WidePitchKeepsTheBytesPastColumn239) {
  HeadlessDisplayConfig wide;
  wide.pitch = 512;
  MakeDisplay(wide);
  SetUpDisplayOnly();
  auto& back = display->attached[0];
  std::fill(back.memory.begin(), back.memory.end(), 0xAB);
  shell->frame.fill(0x1234);
  PresentFrame(shell->frame, *shell->display.backBuffer);
  for (int y = 0; y < 400; ++y) {
    EXPECT_EQ(back.Pixel(0, y), 0x1234);
    EXPECT_EQ(back.Pixel(239, y), 0x1234);
    for (int byte = 480; byte < 512; ++byte) {
      ASSERT_EQ(back.memory[y * 512 + byte], 0xAB) << "row " << y << " byte " << byte;
    }
  }
  ClearBackBuffer(*shell->display.backBuffer);
  for (int y = 0; y < 400; ++y) {
    EXPECT_EQ(back.Pixel(0, y), 0);
    EXPECT_EQ(back.Pixel(239, y), 0);
    for (int byte = 480; byte < 512; ++byte) {
      ASSERT_EQ(back.memory[y * 512 + byte], 0xAB) << "row " << y << " byte " << byte;
    }
  }
}

TEST_F(HeadlessShow, OtherThan16BitsIsOnlyLockedAndUnlocked) {
  HeadlessDisplayConfig deep;
  deep.bitCount = 32;
  deep.pitch = 960;
  MakeDisplay(deep);
  SetUpDisplayOnly();
  auto& back = display->attached[0];
  std::fill(back.memory.begin(), back.memory.end(), 0xCD);
  const auto before = back.memory;
  shell->frame.fill(0x1234);
  PresentFrame(shell->frame, *shell->display.backBuffer);
  ClearBackBuffer(*shell->display.backBuffer);
  EXPECT_EQ(back.memory, before);
  EXPECT_EQ(back.locks, 2);
  EXPECT_EQ(back.unlocks, 2);
  EXPECT_FALSE(back.locked);
}

TEST_F(HeadlessShow, FailedLockWritesNothing) {
  SetUpDisplayOnly();
  auto& back = display->attached[0];
  std::fill(back.memory.begin(), back.memory.end(), 0xEE);
  const auto before = back.memory;
  display->lockResults = {platform::DDERR_SURFACEBUSY, platform::DDERR_SURFACELOST};
  PresentFrame(shell->frame, *shell->display.backBuffer);
  ClearBackBuffer(*shell->display.backBuffer);
  EXPECT_EQ(back.memory, before);
  EXPECT_EQ(back.locks, 2);
}

TEST_F(HeadlessShow, FlipRetriesWhileStillDrawing) {
  SetUpDisplayOnly();
  display->flipResults = {platform::DDERR_WASSTILLDRAWING, platform::DDERR_WASSTILLDRAWING, platform::DD_OK};
  FlipFrame(*shell->display.primary);
  EXPECT_EQ(display->flips, 3);
  EXPECT_EQ(display->shownFrames, 1);
  EXPECT_EQ(display->restores, 0);

  display->flipResults = {platform::DDERR_WASSTILLDRAWING, platform::E_FAIL, platform::DDERR_WASSTILLDRAWING};
  FlipFrame(*shell->display.primary);  // any other error gives up until the next frame
  EXPECT_EQ(display->flips, 5);
  EXPECT_EQ(display->shownFrames, 1);
}

TEST_F(HeadlessShow, LostSurfaceIsRestoredOnceAndNotFlippedAgain) {
  SetUpDisplayOnly();
  display->flipResults = {platform::DDERR_SURFACELOST};
  FlipFrame(*shell->display.primary);
  EXPECT_EQ(display->flips, 1);
  EXPECT_EQ(display->restores, 1);
  EXPECT_EQ(display->shownFrames, 0);

  display->flipResults = {platform::DDERR_WASSTILLDRAWING, platform::DDERR_SURFACELOST};
  display->restoreResults = {platform::DDERR_SURFACELOST};  // a failed restore is dropped too
  FlipFrame(*shell->display.primary);
  EXPECT_EQ(display->flips, 3);
  EXPECT_EQ(display->restores, 2);
  EXPECT_EQ(display->shownFrames, 0);

  FlipFrame(*shell->display.primary);  // the next frame flips as usual
  EXPECT_EQ(display->flips, 4);
  EXPECT_EQ(display->shownFrames, 1);
}

}  // namespace
}  // namespace vantrelle::host

namespace vantrelle::host {
namespace {

TEST_F(HeadlessShow, TurningTheDisplayBackGivesTheFrame) {
  SetUpDisplayOnly();
  for (int i = 0; i < kFramePixels; ++i) {
    shell->frame[i] = static_cast<std::uint16_t>(i * 2654435761u >> 16);
  }
  PresentFrame(shell->frame, *shell->display.backBuffer);
  std::vector<std::uint16_t> portrait(240 * 400);
  std::memcpy(portrait.data(), display->attached[0].memory.data(), portrait.size() * 2);
  FrameBuffer landscape{};
  platform::TurnDisplayToLandscape(portrait.data(), 240, landscape.data());
  EXPECT_EQ(landscape, shell->frame);
}

}  // namespace
}  // namespace vantrelle::host
