#pragma once
// Ends a failed display set-up: releases whatever display objects exist,
// destroys the window and records `message` (a string that outlives the run)
// in `shell` for the error report. Returns `code` unchanged.
#include "host/shell_state.h"
#include "platform/direct_draw.h"

namespace vantrelle::host {

platform::HRESULT FailStartup(ShellState& shell, platform::HWND window, platform::HRESULT code, const char* message);

}  // namespace vantrelle::host
