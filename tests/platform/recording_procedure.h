#pragma once
// A window procedure for tests: it records each message it is handed, then
// gives it to the default processing of the window manager in its context.
#include <vector>

#include "platform/window_manager.h"

namespace vantrelle::platform {

inline std::vector<MSG> heard;  // what the procedure was handed

template <class Manager>
LRESULT Record(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam, void* context) {
  heard.push_back(MSG{window, message, wParam, lParam});
  return static_cast<Manager*>(context)->DefWindowProc(window, message, wParam, lParam);
}

}  // namespace vantrelle::platform
