#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "headless_show.h"
#include "host/display.h"
#include "host/present_frame.h"

namespace vantrelle::host {
namespace {

using platform::HeadlessDisplayConfig;

// Every pixel lands turned a quarter turn clockwise: landscape (x, y) is the
// display's (239 - y, x), so the frame's top-left corner is the display's top-right.
TEST_F(HeadlessShow, FramesLandTurnedAQuarterTurnClockwise) {
  SetUpDisplayOnly();
  for (int i = 0; i < kFramePixels; ++i) {
    shell->frame[i] = static_cast<std::uint16_t>(i * 2654435761u >> 16);
  }
  PresentFrame(shell->frame, *shell->display.backBuffer);
  const auto& back = display->attached[0];
  int misplaced = 0;
  for (int y = 0; y < 240; ++y) {
    for (int x = 0; x < 400; ++x) misplaced += back.Pixel(239 - y, x) != shell->frame[y * 400 + x];
  }
  EXPECT_EQ(misplaced, 0);
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
  for (std::uint16_t drawn : {0x1234, 0}) {
    if (drawn == 0x1234) {
      PresentFrame(shell->frame, *shell->display.backBuffer);
    } else {
      ClearBackBuffer(*shell->display.backBuffer);
    }
    for (int y = 0; y < 400; ++y) {
      EXPECT_EQ(back.Pixel(0, y), drawn);
      EXPECT_EQ(back.Pixel(239, y), drawn);
      for (int byte = 480; byte < 512; ++byte) {
        ASSERT_EQ(back.memory[y * 512 + byte], 0xAB) << "row " << y << " byte " << byte;
      }
    }
  }
}

// A surface of another depth, or one that will not lock, is left as it was.
TEST_F(HeadlessShow, NothingIsWrittenWithoutALocked16BitSurface) {
  HeadlessDisplayConfig deep;
  deep.bitCount = 32;
  deep.pitch = 960;
  for (const bool refuses : {false, true}) {  // the lock, or else the depth
    MakeDisplay(refuses ? HeadlessDisplayConfig{} : deep);
    SetUpDisplayOnly();
    auto& back = display->attached[0];
    std::fill(back.memory.begin(), back.memory.end(), 0xCD);
    const auto before = back.memory;
    if (refuses) display->lockResults = {platform::DDERR_SURFACEBUSY, platform::DDERR_SURFACELOST};
    shell->frame.fill(0x1234);
    PresentFrame(shell->frame, *shell->display.backBuffer);
    ClearBackBuffer(*shell->display.backBuffer);
    EXPECT_EQ(back.memory, before) << refuses;
    EXPECT_EQ(back.locks, 2) << refuses;
    if (!refuses) {
      EXPECT_EQ(back.unlocks, 2);
      EXPECT_FALSE(back.locked);
    }
  }
}

// Each row one frame's flip, in order: what Flip and Restore report, and what came of it.
TEST_F(HeadlessShow, FlipRetriesWhileStillDrawingAndRestoresALostSurfaceOnce) {
  using namespace platform;
  SetUpDisplayOnly();
  const struct {
    std::deque<HRESULT> flips;
    std::deque<HRESULT> restores;
    int flipCalls;
    int restoreCalls;
    int shown;
  } frames[] = {
      {{DDERR_WASSTILLDRAWING, DDERR_WASSTILLDRAWING, DD_OK}, {}, 3, 0, 1},
      {{DDERR_WASSTILLDRAWING, E_FAIL, DDERR_WASSTILLDRAWING}, {}, 2, 0, 0},  // other errors give up for the frame
      {{DDERR_SURFACELOST}, {}, 1, 1, 0},
      {{DDERR_WASSTILLDRAWING, DDERR_SURFACELOST}, {DDERR_SURFACELOST}, 2, 1, 0},  // a failed restore is dropped too
      {{}, {}, 1, 0, 1},                                                           // the next frame flips as usual
  };
  int flips = 0, restores = 0, shown = 0;
  for (const auto& frame : frames) {
    display->flipResults = frame.flips;
    display->restoreResults = frame.restores;
    FlipFrame(*shell->display.primary);
    EXPECT_EQ(display->flips, flips += frame.flipCalls) << flips;
    EXPECT_EQ(display->restores, restores += frame.restoreCalls) << flips;
    EXPECT_EQ(display->shownFrames, shown += frame.shown) << flips;
  }
}

}  // namespace
}  // namespace vantrelle::host
