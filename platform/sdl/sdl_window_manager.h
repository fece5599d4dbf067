#pragma once
// The window manager over SDL: desktop events become the handheld's
// messages. Closing the window posts WM_CLOSE; Escape is the handheld's exit
// key (134); other keys become key messages that the show ignores. Alt+Enter
// (full screen), F12 (a screenshot in the working directory) and the player's
// keys and mouse (Space, Left, Right, Home, M, clicks, the pointer's moves, see
// SdlDesktop) belong to the desktop and never reach the window procedure.
#include "platform/queued_window_manager.h"
#include "platform/sdl/sdl_desktop.h"

namespace vantrelle::platform {

class SdlWindowManager : public QueuedWindowManager {
 public:
  explicit SdlWindowManager(SdlDesktop& desktop) : desktop_(desktop) {}

  int GetSystemMetrics(int index) override;
  const void* SetCursor(const void* cursor) override;
  int MessageBox(HWND owner, const char* text, const char* caption, std::uint32_t type) override;
  void OutputDebugString(const char* text) override;

 protected:
  void PollDevice() override;
  bool WaitDevice() override;
  bool OnWindowCreated(HWND window, const char* title, int width, int height) override;
  void OnWindowShown(HWND window, bool visible) override;
  void OnWindowDestroyed(HWND window) override;

 private:
  void Translate(const SDL_Event& event);

  SdlDesktop& desktop_;
  HWND window_ = 0;
  const void* cursor_ = nullptr;
};

}  // namespace vantrelle::platform
