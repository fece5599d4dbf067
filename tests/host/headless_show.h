#pragma once
// A whole show on headless platform services: the test scripts the engine
// calls, the clock and the input, then runs ShowMain and reads what the
// display, the sound library and the window manager saw.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/shell_state.h"
#include "host/show_main.h"
#include "platform/headless/headless_direct_draw.h"
#include "platform/headless/headless_player_controls.h"
#include "platform/headless/headless_sound_library.h"
#include "platform/headless/headless_system_services.h"
#include "platform/headless/headless_window_manager.h"
#include "testing/test_files.h"

namespace vantrelle::host {

class HeadlessShow : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Builds the display from `displayConfig` (call before Run or SetUpDisplayOnly when it changes).
  void MakeDisplay(const platform::HeadlessDisplayConfig& displayConfig);
  // Runs the whole program on a fresh state (kept in `shell` afterwards); returns its exit code.
  int Run();
  // Makes a fresh program state over these services and opens the display without a window.
  void SetUpDisplayOnly();
  // Fresh window manager, sound library and records, for another run in the same test.
  void Reset();

  // What the engine does: by default each frame returns 1 until frame `lastFrame`.
  std::function<Status()> load = [] { return Status(); };
  std::function<bool(FrameBuffer&, DemoClock)> timeline;
  int lastFrame = 3;             // the timeline returns 0 on this frame (1-based)
  std::vector<DemoClock> times;  // t of each timeline call
  int loadCalls = 0;

  platform::HeadlessWindowManager windows;
  std::unique_ptr<platform::HeadlessDirectDraw> display;
  platform::HeadlessSoundLibrary sound;
  platform::HeadlessSystemServices system;
  platform::HeadlessPlayerControls controls;
  std::unique_ptr<ShellState> shell;  // the last run's program state
  ShowConfig config;
  const ScratchFolder data;  // the data directory the show is given
};

}  // namespace vantrelle::host
