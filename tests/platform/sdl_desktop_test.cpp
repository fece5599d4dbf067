// The desktop on SDL's dummy video driver: the player's keys and mouse reach
// the player's queue and never the show's window procedure (Escape still
// does), and F12 saves the shown picture.
#include "platform/sdl/sdl_desktop.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/progress_bar.h"
#include "platform/sdl/sdl_window_manager.h"
#include "platform/write_png.h"
#include "recording_procedure.h"
#include "testing/read_png.h"
#include "testing/test_data_directory.h"

namespace vantrelle::platform {
namespace {

void Key(SDL_Keycode key, bool repeat = false, Uint16 modifiers = KMOD_NONE) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.keysym.sym = key;
  event.key.keysym.mod = modifiers;
  event.key.repeat = repeat ? 1 : 0;
  SDL_PushEvent(&event);
  event.type = SDL_KEYUP;
  SDL_PushEvent(&event);
}

void Move(int x, int y) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.x = x;
  event.motion.y = y;
  SDL_PushEvent(&event);
}

void Click(int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
  SDL_Event event{};
  event.type = SDL_MOUSEBUTTONDOWN;
  event.button.button = button;
  event.button.x = x;
  event.button.y = y;
  SDL_PushEvent(&event);
  event.type = SDL_MOUSEBUTTONUP;
  SDL_PushEvent(&event);
}

struct Taken {
  PlayerAction action;
  std::int32_t ms;
  bool operator==(const Taken&) const = default;
};

// A 240 x 400 show window in a 400 x 240 desktop window, made and shown.
class DummyDesktop : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SdlDesktopConfig config;
    config.fullScreen = false;
    config.scale = 1;
    desktop.emplace(config);
    ASSERT_TRUE(desktop->Start());
    windows.emplace(*desktop);
    WNDCLASS windowClass;
    windowClass.lpfnWndProc = Record<SdlWindowManager>;
    windowClass.context = &*windows;  // the procedure's default processing goes back to this manager
    windowClass.lpszClassName = "Show";
    windows->RegisterClass(windowClass);
    window = windows->CreateWindowEx(0, "Show", "player", 0, 0, 0, 240, 400, 0, 1);
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(desktop->OpenRenderer());
    Pump();
    heard.clear();
  }
  void TearDown() override {
    if (windows) windows->DestroyWindow(window);
  }

  // Empties the window's queue as the show's main loop does, then the player's.
  std::vector<Taken> Pump() {
    MSG message;
    while (windows->PeekMessage(&message, 0, 0, 0, PM_NOREMOVE) && windows->GetMessage(&message, 0, 0, 0) > 0) {
      windows->DispatchMessage(&message);
    }
    std::vector<Taken> taken;
    for (PlayerEvent event; desktop->TakePlayerEvent(event);) taken.push_back({event.action, event.ms});
    return taken;
  }

  std::optional<SdlDesktop> desktop;
  std::optional<SdlWindowManager> windows;
  HWND window = 0;
};

TEST_F(DummyDesktop, KeysAndClicksGoToThePlayerNeverToTheShow) {
  ProgressMarks marks;
  marks.lengthMs = 251328;
  desktop->SetProgressMarks(marks);
  Key(SDLK_SPACE);
  Key(SDLK_LEFT);
  Key(SDLK_RIGHT);
  Key(SDLK_HOME);
  Key(SDLK_m);
  Key(SDLK_RIGHT, true);           // held down: it goes on seeking
  Key(SDLK_SPACE, true);           // held down: it pauses once
  Key(SDLK_m, false, KMOD_LCTRL);  // with Ctrl it is not the player's M, as on the page
  EXPECT_EQ(Pump(), (std::vector<Taken>{{PlayerAction::kTogglePause, 0},
                                        {PlayerAction::kSeekBy, -5000},
                                        {PlayerAction::kSeekBy, 5000},
                                        {PlayerAction::kSeekTo, 0},
                                        {PlayerAction::kToggleMute, 0},
                                        {PlayerAction::kSeekBy, 5000}}));
  std::vector<WPARAM> keysHeard;
  for (const MSG& m : heard) {
    if (m.message == WM_KEYDOWN || m.message == WM_KEYUP) {
      keysHeard.push_back(m.wParam);
    }
  }
  EXPECT_EQ(keysHeard, (std::vector<WPARAM>{'M', 'M'}));  // only Ctrl+M, down and up

  Move(10, 10);  // where the pointer is: not yet a move
  Move(10, 10);
  EXPECT_TRUE(Pump().empty());
  Move(20, 15);
  EXPECT_EQ(Pump(), (std::vector<Taken>{{PlayerAction::kPointerMoved, 0}}));

  const ProgressBarLayout bar = LayOutProgressBar(400, 240);
  const int onBar = bar.y + 1;
  Click(200, onBar);  // the bar is hidden: a click anywhere pauses
  Click(200, onBar, SDL_BUTTON_RIGHT);
  EXPECT_EQ(Pump(), (std::vector<Taken>{{PlayerAction::kTogglePause, 0}}));
  desktop->ShowProgress({true, 0});
  Click(200, onBar);
  Click(200, 100);  // above the bar: still a pause
  EXPECT_EQ(Pump(), (std::vector<Taken>{{PlayerAction::kSeekTo, ProgressTimeAt(bar, 200, 251328)},
                                        {PlayerAction::kTogglePause, 0}}));

  heard.clear();
  Key(SDLK_ESCAPE);  // the handheld's exit key is the show's own
  EXPECT_TRUE(Pump().empty());
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard[0].message, WM_KEYDOWN);
  EXPECT_EQ(heard[0].wParam, VK_HANDHELD_EXIT);
}

TEST(WidenRgb565, FullFieldsBecomeWhiteAndEachFieldKeepsItsPlace) {
  EXPECT_EQ(WidenRgb565(0xFFFF), (std::array<std::uint8_t, 3>{255, 255, 255}));
  EXPECT_EQ(WidenRgb565(0x0000), (std::array<std::uint8_t, 3>{0, 0, 0}));
  EXPECT_EQ(WidenRgb565(0xF800), (std::array<std::uint8_t, 3>{255, 0, 0}));
  EXPECT_EQ(WidenRgb565(0x0020), (std::array<std::uint8_t, 3>{0, 4, 0}));
  EXPECT_EQ(WidenRgb565(0x0010), (std::array<std::uint8_t, 3>{0, 0, 132}));
}

// F12 writes the shown picture, turned back to landscape, into the working
// directory; the show's window procedure never hears of it.
TEST_F(DummyDesktop, F12SavesTheShownFrameInLandscape) {
  const std::filesystem::path home = std::filesystem::current_path();
  const TestDataDirectory scratch;
  const std::filesystem::path directory = scratch.path() / "shots";
  std::filesystem::create_directories(directory);
  std::filesystem::current_path(directory);

  Key(SDLK_F12);  // nothing shown yet: nothing written
  Pump();
  EXPECT_TRUE(std::filesystem::is_empty(directory));

  std::array<std::uint16_t, 256 * 400> display{};  // the portrait display, pitch 256
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 240; ++x) {
      display[256 * y + x] = static_cast<std::uint16_t>(y * 131 + x * 7);
    }
  }
  desktop->Present(display.data(), 256);
  Key(SDLK_F12);
  Pump();
  for (const MSG& m : heard) EXPECT_TRUE(m.message != WM_KEYDOWN && m.message != WM_KEYUP) << m.message;
  std::filesystem::current_path(home);

  std::vector<std::filesystem::path> shots(std::filesystem::directory_iterator(directory), {});
  ASSERT_EQ(shots.size(), 1u);
  EXPECT_TRUE(shots[0].filename().string().starts_with("vantrelle-"));
  const Picture shot = ReadPng(shots[0]);
  ASSERT_EQ(shot.width, 400);
  ASSERT_EQ(shot.height, 240);
  int wrong = 0;
  for (int r = 0; r < 240; ++r) {
    for (int c = 0; c < 400; ++c) wrong += !SameColour(shot.At(c, r), WidenRgb565(display[256 * c + (239 - r)]).data());
  }
  EXPECT_EQ(wrong, 0);

  // A second shot in the same second gets a name of its own.
  std::filesystem::copy_file(shots[0], FreeScreenshotPath(directory, "20260101-120000"));
  EXPECT_EQ(FreeScreenshotPath(directory, "20260101-120000").filename(), "vantrelle-20260101-120000-2.png");
}

}  // namespace
}  // namespace vantrelle::platform
