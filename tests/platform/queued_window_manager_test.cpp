#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless_window_manager.h"
#include "recording_procedure.h"

namespace vantrelle::platform {
namespace {

class Queue : public ::testing::Test {
 protected:
  void SetUp() override {
    heard.clear();
    WNDCLASS windowClass;
    windowClass.lpfnWndProc = Record<HeadlessWindowManager>;
    windowClass.context = &windows;  // the procedure's default processing goes back to this manager
    windowClass.lpszClassName = "Test";
    ASSERT_NE(windows.RegisterClass(windowClass), 0);
    EXPECT_EQ(windows.RegisterClass(windowClass), 0);  // once only
    window = windows.CreateWindowEx(0, "Test", "title", 0, 0, 0, 240, 400, 0, 1);
    ASSERT_NE(window, 0u);
    EXPECT_EQ(windows.CreateWindowEx(0, "Other", "title", 0, 0, 0, 1, 1, 0, 1), 0u);
  }
  HeadlessWindowManager windows;
  HWND window = 0;
};

TEST_F(Queue, CreatingAndShowingSendCreateAndActivate) {
  windows.ShowWindow(window, 1);
  windows.ShowWindow(window, 1);
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[0].message, WM_CREATE);
  EXPECT_EQ(heard[1].message, WM_ACTIVATE);
}

TEST_F(Queue, MessagesComeOutInOrderAndQuitEndsTheGet) {
  MSG message;
  EXPECT_FALSE(windows.PeekMessage(&message, 0, 0, 0, PM_NOREMOVE));
  windows.PostMessage(window, WM_KEYDOWN, 'Q', 0);
  windows.PostQuitMessage(5);
  windows.PostMessage(window, WM_KEYDOWN, 134, 0);
  ASSERT_TRUE(windows.PeekMessage(&message, 0, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(message.wParam, static_cast<WPARAM>('Q'));
  EXPECT_EQ(windows.QueuedCount(), 3u);  // peeking leaves it there
  EXPECT_EQ(windows.GetMessage(&message, 0, 0, 0), 1);
  EXPECT_EQ(message.wParam, static_cast<WPARAM>('Q'));
  EXPECT_EQ(windows.GetMessage(&message, 0, 0, 0), 0);
  EXPECT_EQ(message.message, WM_QUIT);
  EXPECT_EQ(message.wParam, 5u);
  EXPECT_EQ(windows.GetMessage(&message, 0, 0, 0), 1);
  EXPECT_EQ(message.wParam, 134u);
  EXPECT_EQ(windows.GetMessage(&message, 0, 0, 0), -1);  // nothing will ever come
}

TEST_F(Queue, AFullQueueStillTakesTheQuitMessage) {
  int posted = 0;
  while (windows.PostMessage(window, WM_KEYDOWN, 'X', 0)) {
    ++posted;
  }
  EXPECT_EQ(posted, static_cast<int>(QueuedWindowManager::kQueueCapacity) - 1);
  windows.PostQuitMessage(0);
  EXPECT_EQ(windows.QueuedCount(), QueuedWindowManager::kQueueCapacity);
}

TEST_F(Queue, TranslateTurnsLettersDigitsAndSpaceIntoCharacters) {
  const struct {
    std::uint32_t message;
    WPARAM key;
    WPARAM character;  // 0: none
  } cases[] = {{WM_KEYDOWN, 'A', 'a'}, {WM_KEYDOWN, '7', '7'}, {WM_KEYDOWN, ' ', ' '},
               {WM_KEYDOWN, 134, 0},   {WM_KEYDOWN, '[', 0},   {WM_KEYUP, 'A', 0}};
  for (const auto& c : cases) {
    const MSG key{window, c.message, c.key, 0};
    EXPECT_EQ(windows.TranslateMessage(&key), c.character != 0) << c.key;
    MSG message{};
    EXPECT_EQ(windows.PeekMessage(&message, 0, 0, 0, 1), c.character != 0) << c.key;  // and removed
    EXPECT_EQ(message.wParam, c.character) << c.key;
    EXPECT_EQ(message.message, c.character != 0 ? WM_CHAR : 0u) << c.key;
  }
}

TEST_F(Queue, DefaultProcessingOfCloseDestroysTheWindow) {
  heard.clear();
  EXPECT_EQ(windows.DefWindowProc(window, WM_KEYDOWN, 'A', 0), 0);
  EXPECT_TRUE(windows.IsWindow(window));
  const MSG close{window, WM_CLOSE, 0, 0};
  windows.DispatchMessage(&close);
  EXPECT_FALSE(windows.IsWindow(window));
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[0].message, WM_CLOSE);
  EXPECT_EQ(heard[1].message, WM_DESTROY);
  EXPECT_EQ(windows.DispatchMessage(&close), 0);  // a gone window gets nothing
  EXPECT_EQ(heard.size(), 2u);
  EXPECT_FALSE(windows.DestroyWindow(window));
}

}  // namespace
}  // namespace vantrelle::platform
