#include "platform/headless/headless_window_manager.h"

namespace vantrelle::platform {

const int HeadlessWindowManager::kArrowCursor = 0x7F00;

namespace {
constexpr int kScreenWidth = 240;  // the handheld's portrait display
constexpr int kScreenHeight = 400;
constexpr int kIdOk = 1;
}  // namespace

int HeadlessWindowManager::GetSystemMetrics(int index) {
  if (index == SM_CXSCREEN) {
    return kScreenWidth;
  }
  return index == SM_CYSCREEN ? kScreenHeight : 0;
}

const void* HeadlessWindowManager::SetCursor(const void* newCursor) {
  const void* previous = cursor;
  cursor = newCursor;
  return previous;
}

int HeadlessWindowManager::MessageBox(HWND owner, const char* text, const char* caption, std::uint32_t type) {
  boxes.push_back(Box{owner, text == nullptr ? "" : text, caption == nullptr ? "" : caption, type});
  return kIdOk;
}

void HeadlessWindowManager::OutputDebugString(const char* text) { debugLines.emplace_back(text); }

LRESULT HeadlessWindowManager::DefWindowProc(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  defaultProcessed.push_back(MSG{window, message, wParam, lParam});
  return QueuedWindowManager::DefWindowProc(window, message, wParam, lParam);
}

void HeadlessWindowManager::PollDevice() {
  if (onPoll) {
    onPoll(*this);
  }
}

bool HeadlessWindowManager::OnWindowCreated(HWND /*window*/, const char* title, int width, int height) {
  windowTitle = title == nullptr ? "" : title;
  windowWidth = width;
  windowHeight = height;
  return !refuseWindows;
}

}  // namespace vantrelle::platform
