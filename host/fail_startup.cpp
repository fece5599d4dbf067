#include "host/fail_startup.h"

#include "host/release_display_objects.h"

namespace vantrelle::host {

platform::HRESULT FailStartup(ShellState& shell, platform::HWND window, platform::HRESULT code, const char* message) {
  ReleaseDisplayObjects(shell.display);
  shell.platform.windows.DestroyWindow(window);
  shell.errorMessage = message;
  return code;
}

}  // namespace vantrelle::host
