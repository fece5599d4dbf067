#pragma once
// A window manager with no screen, for tests: it keeps what would have been
// shown (message boxes, debug lines, the cursor) and lets a test post input
// from a hook that runs whenever the queue is looked at.
#include <functional>
#include <string>
#include <vector>

#include "platform/queued_window_manager.h"

namespace vantrelle::platform {

class HeadlessWindowManager : public QueuedWindowManager {
 public:
  struct Box {
    HWND owner;
    std::string text;
    std::string caption;
    std::uint32_t type;
  };

  int GetSystemMetrics(int index) override;
  const void* SetCursor(const void* cursor) override;
  int MessageBox(HWND owner, const char* text, const char* caption, std::uint32_t type) override;
  void OutputDebugString(const char* text) override;
  LRESULT DefWindowProc(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) override;

  std::vector<Box> boxes;                              // every message box, in order
  std::vector<std::string> debugLines;                 // every debug line, in order
  std::vector<MSG> defaultProcessed;                   // every message handed to DefWindowProc
  const void* cursor = &kArrowCursor;                  // the cursor shown; nullptr when hidden
  bool refuseWindows = false;                          // CreateWindowEx fails when set
  int windowWidth = 0, windowHeight = 0;               // size asked for by the last CreateWindowEx
  std::string windowTitle;                             // title of the last created window
  std::function<void(HeadlessWindowManager&)> onPoll;  // runs each time the queue is looked at

  static const int kArrowCursor;

 protected:
  void PollDevice() override;
  bool OnWindowCreated(HWND window, const char* title, int width, int height) override;
};

}  // namespace vantrelle::platform
