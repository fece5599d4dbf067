#include "host/fail_startup.h"

#include "host/release_display_objects.h"
#include "host/shell_state.h"

namespace vantrelle::host {

platform::HRESULT FailStartup(platform::HWND window, platform::HRESULT code, const char* message) {
  ReleaseDisplayObjects();
  Platform->windows.DestroyWindow(window);
  ErrorMessage = message;
  return code;
}

}  // namespace vantrelle::host
