#include "host/main_window_proc.h"

#include "host/display.h"

namespace vantrelle::host {

platform::LRESULT MainWindowProc(platform::HWND window, std::uint32_t message, platform::WPARAM wParam,
                                 platform::LPARAM lParam, void* context) {
  ShellState& shell = *static_cast<ShellState*>(context);
  platform::WindowManager& windows = shell.platform.windows;
  switch (message) {
    case platform::WM_DESTROY:
      ReleaseDisplayObjects(shell.display);
      windows.PostQuitMessage(0);
      return 0;
    case platform::WM_ACTIVATE:
      return 0;  // consumed: the show keeps the screen whatever happens to focus
    case platform::WM_SETCURSOR:
      windows.SetCursor(nullptr);
      return 1;
    case platform::WM_KEYDOWN:
      if (wParam == platform::VK_HANDHELD_EXIT) {
        windows.PostMessage(window, platform::WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    default:
      break;
  }
  return windows.DefWindowProc(window, message, wParam, lParam);
}

}  // namespace vantrelle::host
