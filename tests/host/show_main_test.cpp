#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "headless_show.h"

namespace vantrelle::host {
namespace {

using namespace platform;

const std::vector<std::string> kSoundCalls{
    "FSOUND_Init(22050,2,0)",       "FSOUND_Stream_Open(0x8000,0,5200000)", "FSOUND_Stream_SetMode(null,0x200000)",
    "FSOUND_Stream_Play(0,stream)", "FSOUND_Stream_Close(stream)",          "FSOUND_Close()"};

bool AllZero(const std::vector<std::uint8_t>& bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

TEST_F(HeadlessShow, StartsInOrderAndEndsAfterTheTimelinesLastFrame) {
  auto& back = display->attached[0];
  std::fill(display->primary.memory.begin(), display->primary.memory.end(), 0xFF);
  std::fill(back.memory.begin(), back.memory.end(), 0xFF);
  bool blackBeforeMusic = false;
  int flipsBeforeMusic = -1;
  sound.onPlay = [&] {
    blackBeforeMusic = AllZero(display->primary.memory) && AllZero(display->attached[0].memory);
    flipsBeforeMusic = display->flips;
  };
  lastFrame = 3;

  EXPECT_EQ(Run(), 0);  // no message was ever taken
  EXPECT_EQ(windows.windowTitle, "Vantrelle X2");
  EXPECT_EQ(windows.windowWidth, 240);
  EXPECT_EQ(windows.windowHeight, 400);
  EXPECT_EQ(windows.FocusWindow(), 1u);
  EXPECT_EQ(loadCalls, 1);
  EXPECT_TRUE(blackBeforeMusic);
  EXPECT_EQ(flipsBeforeMusic, 2);
  EXPECT_EQ(sound.calls, kSoundCalls);
  EXPECT_EQ(times.size(), 3u);
  EXPECT_EQ(display->flips, 2 + 3);
  // The timeline's end leaves the window and the display as they are.
  EXPECT_TRUE(windows.IsWindow(1));
  EXPECT_NE(shell->display.backBuffer, nullptr);
  EXPECT_TRUE(windows.boxes.empty());
}

TEST_F(HeadlessShow, TheFrameIsStillShownWhenTheTimelineSaysTheShowIsOver) {
  timeline = [this](FrameBuffer& frame, DemoClock) {
    frame.fill(static_cast<std::uint16_t>(times.size()));
    return times.size() < 2;
  };
  Run();
  EXPECT_EQ(times.size(), 2u);
  EXPECT_EQ(display->shownFrames, 2 + 2);
  EXPECT_EQ(display->primary.Pixel(0, 0), 2);  // the primary surface shows the last frame
  EXPECT_EQ(display->primary.Pixel(239, 399), 2);
}

// Time zero is the moment the play call returned, or --start's moment, where
// the music starts too.
TEST_F(HeadlessShow, TheClockStartsWhenTheMusicDoes) {
  system.ticks = 4'294'960'000u;  // the tick count wraps during the show
  load = [this] {
    system.ticks += 5000;  // loading takes a while
    return Status();
  };
  sound.onPlay = [this] { system.ticks += 300; };
  display->onFlip = [this] { system.ticks += 16; };
  config.startMs = 100'000;
  Run();
  EXPECT_EQ(times, (std::vector<DemoClock>{100'000, 100'016, 100'032}));
  ASSERT_GE(sound.calls.size(), 5u);
  EXPECT_EQ(sound.calls[3], "FSOUND_Stream_SetTime(stream,100000)");
  EXPECT_EQ(sound.calls[4], "FSOUND_Stream_Play(0,stream)");
}

// Messages posted once the timeline has drawn `after` frames: the exit key
// ends the show at once and lets everything go; other keys change nothing; a
// quit message ends the loop with its code, and what follows it stays unread.
TEST_F(HeadlessShow, KeysAndQuitMessagesDuringTheShow) {
  struct Posted {
    std::uint32_t message;  // WM_QUIT is posted as PostQuitMessage(wParam)
    WPARAM wParam;
  };
  const struct {
    const char* name;
    std::size_t after;
    std::vector<Posted> posted;
    int code;
    std::size_t frames;
    bool windowKept;
    std::size_t unread;
  } cases[] = {
      {"exit key", 3, {{WM_KEYDOWN, 134}}, 0, 3, false, 0},
      {"other keys", 1, {{WM_KEYDOWN, 'A'}, {WM_KEYDOWN, 0x0D}, {WM_KEYUP, 0x0D}}, 0, 4, true, 0},
      // The 'a' character and the exit key wait unread.
      {"quit", 2, {{WM_KEYDOWN, 'A'}, {WM_QUIT, 7}, {WM_KEYDOWN, 134}}, 7, 2, true, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Reset();
    MakeDisplay({});
    lastFrame = 4;
    bool posted = false;
    windows.onPoll = [&](HeadlessWindowManager& w) {
      if (times.size() != c.after || std::exchange(posted, true)) return;
      for (const Posted& p : c.posted) {
        if (p.message == WM_QUIT) {
          w.PostQuitMessage(static_cast<int>(p.wParam));
        } else {
          w.PostMessage(1, p.message, p.wParam, 0);
        }
      }
    };
    EXPECT_EQ(Run(), c.code);
    EXPECT_EQ(times.size(), c.frames);
    EXPECT_EQ(display->flips, static_cast<int>(2 + c.frames));
    EXPECT_EQ(windows.IsWindow(1), c.windowKept);
    EXPECT_EQ(shell->display.backBuffer != nullptr, c.windowKept);
    EXPECT_EQ(display->display.references != 0, c.windowKept);
    EXPECT_EQ(windows.QueuedCount(), c.unread);
    EXPECT_EQ(sound.calls, kSoundCalls);  // the music closed however it ended
  }
}

TEST_F(HeadlessShow, DataErrorReleasesTheDisplayAndEndsWithStatus2) {
  load = [] { return Status::Failure(ErrorKind::kMalformed, "gfx/stars.raw: expected 96000 bytes, found 12"); };
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Run(), 2);
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find("gfx/stars.raw: expected 96000 bytes, found 12\n"), std::string::npos);
  ASSERT_EQ(windows.boxes.size(), 1u);
  EXPECT_EQ(windows.boxes[0].text, "gfx/stars.raw: expected 96000 bytes, found 12");
  EXPECT_NE(windows.boxes[0].caption.find("data error"), std::string::npos);
  EXPECT_EQ(display->display.references, 0);
  EXPECT_EQ(display->primary.references, 0);
  EXPECT_EQ(display->flips, 0);
  EXPECT_FALSE(windows.IsWindow(1));
  EXPECT_TRUE(sound.calls.empty());
  EXPECT_TRUE(times.empty());
}

}  // namespace
}  // namespace vantrelle::host
