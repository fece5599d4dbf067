#pragma once
// Ends a failed display set-up: releases whatever display objects exist,
// destroys the window and records `message` (a string that outlives the run)
// for the error report. Returns `code` unchanged.
#include "platform/direct_draw.h"

namespace vantrelle::host {

platform::HRESULT FailStartup(platform::HWND window, platform::HRESULT code, const char* message);

}  // namespace vantrelle::host
