#pragma once
// The show window's procedure. Destroy releases the display objects and asks
// the loop to quit; activate is swallowed; the cursor is hidden; key 134
// closes the window. Everything else gets default processing. `context` is
// the program's ShellState, handed in with the window class.
#include "platform/window_manager.h"

namespace vantrelle::host {

platform::LRESULT MainWindowProc(platform::HWND window, std::uint32_t message, platform::WPARAM wParam,
                                 platform::LPARAM lParam, void* context);

}  // namespace vantrelle::host
