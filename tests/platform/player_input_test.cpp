// The player's keys and mouse on SDL's dummy video driver: they reach the
// player's queue and never the show's window procedure; Escape still does.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <vector>

#include "platform/progress_bar.h"
#include "platform/sdl/sdl_desktop.h"
#include "platform/sdl/sdl_window_manager.h"

namespace vantrelle::platform {
namespace {

std::vector<MSG> heard;  // what the show window's procedure was handed

LRESULT Record(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam, void* context) {
  heard.push_back(MSG{window, message, wParam, lParam});
  return static_cast<SdlWindowManager*>(context)->DefWindowProc(window, message, wParam, lParam);
}

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

// Empties the window's queue as the show's main loop does, then the player's.
std::vector<Taken> Pump(SdlWindowManager& windows, SdlDesktop& desktop) {
  MSG message;
  while (windows.PeekMessage(&message, 0, 0, 0, PM_NOREMOVE) && windows.GetMessage(&message, 0, 0, 0) > 0) {
    windows.DispatchMessage(&message);
  }
  std::vector<Taken> taken;
  PlayerEvent event;
  while (desktop.TakePlayerEvent(event)) {
    taken.push_back({event.action, event.ms});
  }
  return taken;
}

TEST(PlayerInput, KeysAndClicksGoToThePlayerNeverToTheShow) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  SdlDesktopConfig config;
  config.fullScreen = false;
  config.scale = 1;
  SdlDesktop desktop(config);
  ASSERT_TRUE(desktop.Start());
  SdlWindowManager windows(desktop);
  WNDCLASS windowClass;
  windowClass.lpfnWndProc = Record;
  windowClass.context = &windows;
  windowClass.lpszClassName = "Show";
  windows.RegisterClass(windowClass);
  const HWND window = windows.CreateWindowEx(0, "Show", "player", 0, 0, 0, 240, 400, 0, 1);
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(desktop.OpenRenderer());
  ProgressMarks marks;
  marks.lengthMs = 251328;
  desktop.SetProgressMarks(marks);
  Pump(windows, desktop);
  heard.clear();

  Key(SDLK_SPACE);
  Key(SDLK_LEFT);
  Key(SDLK_RIGHT);
  Key(SDLK_HOME);
  Key(SDLK_m);
  Key(SDLK_RIGHT, true);           // held down: it goes on seeking
  Key(SDLK_SPACE, true);           // held down: it pauses once
  Key(SDLK_m, false, KMOD_LCTRL);  // with Ctrl it is not the player's M, as on the page
  EXPECT_EQ(Pump(windows, desktop), (std::vector<Taken>{{PlayerAction::kTogglePause, 0},
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
  EXPECT_TRUE(Pump(windows, desktop).empty());
  Move(20, 15);
  EXPECT_EQ(Pump(windows, desktop), (std::vector<Taken>{{PlayerAction::kPointerMoved, 0}}));

  const ProgressBarLayout bar = LayOutProgressBar(400, 240);
  const int onBar = bar.y + 1;
  Click(200, onBar);  // the bar is hidden: a click anywhere pauses
  Click(200, onBar, SDL_BUTTON_RIGHT);
  EXPECT_EQ(Pump(windows, desktop), (std::vector<Taken>{{PlayerAction::kTogglePause, 0}}));
  desktop.ShowProgress({true, 0});
  Click(200, onBar);
  Click(200, 100);  // above the bar: still a pause
  EXPECT_EQ(Pump(windows, desktop), (std::vector<Taken>{{PlayerAction::kSeekTo, ProgressTimeAt(bar, 200, 251328)},
                                                        {PlayerAction::kTogglePause, 0}}));

  heard.clear();
  Key(SDLK_ESCAPE);  // the handheld's exit key is the show's own
  EXPECT_TRUE(Pump(windows, desktop).empty());
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard[0].message, WM_KEYDOWN);
  EXPECT_EQ(heard[0].wParam, VK_HANDHELD_EXIT);
  windows.DestroyWindow(window);
}

}  // namespace
}  // namespace vantrelle::platform
