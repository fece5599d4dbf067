// The show program as a player, headless: input from the desktop's player
// controls moves the clock the timeline is asked for, and the music with it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "headless_show.h"
#include "host/show_flash_map.h"

namespace vantrelle::host {
namespace {

using namespace platform;

class HeadlessPlayer : public HeadlessShow {
 protected:
  void SetUp() override {
    HeadlessShow::SetUp();
    display->onFlip = [this] { system.ticks += frameMs; };
    controls.onTake = [this] {
      for (auto& [frame, event] : script) {
        if (frame == times.size()) {
          controls.pending.push_back(event);
          frame = 0;  // once
        }
      }
    };
  }

  // `event` arrives while the queue is emptied after frame `frame` (1-based).
  void After(std::size_t frame, PlayerAction action, std::int32_t ms = 0) {
    script.emplace_back(frame, PlayerEvent{action, ms});
  }

  // The sound library's calls after the play call and before the close.
  std::vector<std::string> CallsWhilePlaying() const {
    const auto play = std::find_if(sound.calls.begin(), sound.calls.end(),
                                   [](const std::string& call) { return call.starts_with("FSOUND_Stream_Play"); });
    if (play == sound.calls.end()) return {};
    return {play + 1, std::find_if(play, sound.calls.end(),
                                   [](const std::string& call) { return call.starts_with("FSOUND_Stream_Close"); })};
  }

  std::uint32_t frameMs = 20;
  std::vector<std::pair<std::size_t, PlayerEvent>> script;
};

// Space holds the picture and the music and goes on from the moment held;
// seeks move both to the same moment; M silences the music while the picture
// runs on. Each case: its events (after which frame), then the times drawn and
// the sound library's calls while the music plays.
TEST_F(HeadlessPlayer, KeysMoveThePictureAndTheMusicTogether) {
  using A = PlayerAction;
  const struct {
    std::vector<std::pair<std::size_t, PlayerEvent>> events;
    std::vector<DemoClock> times;
    std::vector<std::string> calls;
  } cases[] = {
      {{{3, {A::kTogglePause, 0}}, {6, {A::kTogglePause, 0}}},
       {0, 20, 40, 60, 60, 60, 60, 80, 100},
       {"FSOUND_SetPaused(0,1)", "FSOUND_Stream_SetTime(stream,60)", "FSOUND_SetPaused(0,0)"}},
      {{{2, {A::kSeekBy, 5000}}, {4, {A::kSeekBy, -5000}}, {6, {A::kSeekTo, 0}}},
       {0, 20, 5040, 5060, 80, 100, 0, 20},
       {"FSOUND_Stream_SetTime(stream,5040)", "FSOUND_Stream_SetTime(stream,80)", "FSOUND_Stream_SetTime(stream,0)"}},
      {{{1, {A::kToggleMute, 0}}, {3, {A::kToggleMute, 0}}},
       {0, 20, 40, 60},
       {"FSOUND_SetMute(0,1)", "FSOUND_SetMute(0,0)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.times.size());
    Reset();
    script = c.events;
    lastFrame = static_cast<int>(c.times.size());
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(times, c.times);
    EXPECT_EQ(CallsWhilePlaying(), c.calls);
  }
}

TEST_F(HeadlessPlayer, ASeekPastTheEndEndsTheShowAsTheEndDoes) {
  config.startMs = 250'000;
  After(1, PlayerAction::kSeekBy, 5000);
  timeline = [](FrameBuffer&, DemoClock t) { return t < kShowLengthMs; };
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(times, (std::vector<DemoClock>{250'000, kShowLengthMs}));
}

// Paused, a seek past the end holds the last frame, still paused, and
// resuming from it ends the show; with --loop it goes to the opening instead.
TEST_F(HeadlessPlayer, PausedASeekPastTheEndHoldsTheLastFrameOrTheOpening) {
  constexpr DemoClock kLast = kShowLengthMs - 1;
  for (const bool loop : {false, true}) {
    Reset();
    script.clear();
    windows.onPoll = [&](HeadlessWindowManager& w) {
      if (times.size() == 6) w.PostMessage(1, WM_CLOSE, 0, 0);
    };
    config.loop = loop;
    config.startMs = 250'000;
    After(1, PlayerAction::kTogglePause);
    After(2, PlayerAction::kSeekBy, 5000);
    After(4, PlayerAction::kTogglePause);
    timeline = [](FrameBuffer&, DemoClock t) { return t < kShowLengthMs ? 1 : 0; };
    EXPECT_EQ(Run(), 0);
    const DemoClock held = loop ? 0 : kLast;
    EXPECT_EQ(times, (std::vector<DemoClock>{250'000, 250'020, held, held, held, held + 20})) << loop;
    const std::string heldCall = "FSOUND_Stream_SetTime(stream," + std::to_string(held) + ")";
    EXPECT_EQ(CallsWhilePlaying(),
              (std::vector<std::string>{"FSOUND_SetPaused(0,1)", heldCall, heldCall, "FSOUND_SetPaused(0,0)"}))
        << loop;
  }
}

TEST_F(HeadlessPlayer, ALoopStartsAgainFromTheOpeningMusicAndAllUntilTheWindowCloses) {
  config.loop = true;
  timeline = [](FrameBuffer&, DemoClock t) { return t < 60; };
  bool closed = false;
  windows.onPoll = [&](HeadlessWindowManager& w) {
    if (times.size() == 8 && !std::exchange(closed, true)) w.PostMessage(1, WM_CLOSE, 0, 0);
  };
  EXPECT_EQ(Run(), 0);
  // The frame that finds the end is still shown; the next one is a frame into the opening.
  EXPECT_EQ(times, (std::vector<DemoClock>{0, 20, 40, 60, 20, 40, 60, 20}));
  EXPECT_EQ(CallsWhilePlaying(),
            (std::vector<std::string>{"FSOUND_Stream_SetTime(stream,0)", "FSOUND_Stream_SetTime(stream,0)"}));
}

// A white frame, inside a stretch that reduces it; which flips showed it reduced.
class HeadlessReducedFlashing : public HeadlessPlayer {
 protected:
  void SetUp() override {
    HeadlessPlayer::SetUp();
    timeline = [this](FrameBuffer& frame, DemoClock) {
      frame.fill(0xFFFF);
      return static_cast<int>(times.size()) < lastFrame ? 1 : 0;
    };
    config.flashMap = WholeShowReduced();
    display->onFlip = [this] {
      system.ticks += frameMs;
      if (times.empty()) return;  // the black frames before the music starts
      const std::vector<std::uint8_t>& shown = display->attached[0].memory;
      reduced.push_back((shown[0] | shown[1] << 8) != 0xFFFF);
    };
  }

  std::vector<bool> reduced;
};

TEST_F(HeadlessReducedFlashing, RSwitchesItAndStillsStayExact) {
  After(2, PlayerAction::kToggleReducedFlashing);
  After(4, PlayerAction::kToggleReducedFlashing);
  lastFrame = 6;
  Run();
  EXPECT_EQ(reduced, (std::vector<bool>{false, false, true, true, false, false}));
  ASSERT_EQ(controls.exactFrames.size(), 6u);
  for (std::size_t i = 0; i < 6; ++i) {
    // The exact frame is kept for screenshots exactly while the picture differs from it.
    EXPECT_EQ(controls.exactFrames[i] != nullptr, reduced[i]) << i;
  }
}

TEST_F(HeadlessReducedFlashing, StartedReducedTheFirstFrameIsReduced) {
  config.reduceFlashing = true;
  lastFrame = 2;
  Run();
  EXPECT_EQ(reduced, (std::vector<bool>{true, true}));
}

TEST_F(HeadlessPlayer, ThePointerShowsTheBarForTwoSecondsOverTheMomentOnScreen) {
  frameMs = 500;
  After(2, PlayerAction::kPointerMoved);  // at tick 1000
  lastFrame = 7;
  Run();
  std::vector<bool> visible;
  for (std::size_t i = 0; i < controls.views.size(); ++i) {
    visible.push_back(controls.views[i].visible);
    EXPECT_EQ(controls.views[i].nowMs, times[i]);
  }
  EXPECT_EQ(visible, (std::vector<bool>{false, false, true, true, true, true, false}));
}

TEST_F(HeadlessPlayer, WithoutInputNothingChangesAndTheBarIsMarkedWithTheScoresSegments) {
  lastFrame = 5;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(times, (std::vector<DemoClock>{0, 20, 40, 60, 80}));
  EXPECT_TRUE(CallsWhilePlaying().empty());
  for (const ProgressView& view : controls.views) {
    EXPECT_FALSE(view.visible);
  }
  const ProgressMarks& marks = controls.marks;
  EXPECT_EQ(marks.lengthMs, kShowLengthMs);
  ASSERT_EQ(marks.count, 25u);
  EXPECT_EQ(marks.startsMs[0], 0);
  EXPECT_EQ(marks.startsMs[7], 44352);  // the tetrahedron field
  for (std::size_t i = 1; i < marks.count; ++i) {
    EXPECT_LT(marks.startsMs[i - 1], marks.startsMs[i]);
    EXPECT_EQ(marks.startsMs[i] % kBeatMs, 0);  // scene changes fall on beats
  }
}

}  // namespace
}  // namespace vantrelle::host
