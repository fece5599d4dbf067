#include <gtest/gtest.h>

#include "headless_show.h"
#include "host/main_window_proc.h"

namespace vantrelle::host {
namespace {

using namespace platform;

class WindowProc : public HeadlessShow {
 protected:
  void SetUp() override {
    HeadlessShow::SetUp();
    SetUpDisplayOnly();
    WNDCLASS windowClass;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.lpszClassName = "VantrelleX2";
    windowClass.context = shell.get();
    windows.RegisterClass(windowClass);
    window = windows.CreateWindowEx(0, "VantrelleX2", "Vantrelle X2", 0, 0, 0, 240, 400, 0, 1);
    ASSERT_NE(window, 0u);
    windows.defaultProcessed.clear();
  }
  HWND window = 0;
};

TEST_F(WindowProc, ActivateIsSwallowedAndSetCursorHidesTheCursor) {
  EXPECT_EQ(MainWindowProc(window, WM_ACTIVATE, 1, 0, shell.get()), 0);
  EXPECT_TRUE(windows.defaultProcessed.empty());
  ASSERT_NE(windows.cursor, nullptr);
  EXPECT_EQ(MainWindowProc(window, WM_SETCURSOR, window, 1, shell.get()), 1);
  EXPECT_EQ(windows.cursor, nullptr);
  EXPECT_TRUE(windows.defaultProcessed.empty());
}

TEST_F(WindowProc, ExitKeyAsksTheWindowToCloseAndOtherKeysGoToDefaultProcessing) {
  EXPECT_EQ(MainWindowProc(window, WM_KEYDOWN, 'A', 0, shell.get()), 0);
  EXPECT_EQ(MainWindowProc(window, WM_KEYDOWN, 0x85, 0, shell.get()), 0);
  ASSERT_EQ(windows.defaultProcessed.size(), 2u);
  EXPECT_EQ(windows.defaultProcessed[0].wParam, static_cast<WPARAM>('A'));
  EXPECT_EQ(windows.QueuedCount(), 0u);

  EXPECT_EQ(MainWindowProc(window, WM_KEYDOWN, 134, 0, shell.get()), 0);
  EXPECT_EQ(windows.defaultProcessed.size(), 2u);
  MSG posted;
  ASSERT_TRUE(windows.PeekMessage(&posted, 0, 0, 0, 1));
  EXPECT_EQ(posted.hwnd, window);
  EXPECT_EQ(posted.message, WM_CLOSE);
  EXPECT_EQ(posted.wParam, 0u);
  EXPECT_EQ(posted.lParam, 0);
  EXPECT_NE(shell->display.backBuffer, nullptr);  // nothing is released until the window is destroyed
}

}  // namespace
}  // namespace vantrelle::host
