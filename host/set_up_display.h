#pragma once
// Opens the display for `window` into `shell.display`: DirectDraw object,
// full-screen cooperation, back-buffer and flipping capabilities, the primary
// surface with one back buffer, and the back buffer found by enumeration. On the first step that
// fails it returns FailStartup's result (the step's code); DD_OK otherwise.
#include "host/shell_state.h"
#include "platform/direct_draw.h"

namespace vantrelle::host {

platform::HRESULT SetUpDisplay(ShellState& shell, platform::HWND window);

}  // namespace vantrelle::host
