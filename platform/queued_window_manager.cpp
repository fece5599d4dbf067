#include "platform/queued_window_manager.h"

#include <cstring>

namespace vantrelle::platform {

namespace {
constexpr int kShowHide = 0;   // SW_HIDE; every other show command makes the window visible
constexpr WPARAM kActive = 1;  // WA_ACTIVE
}  // namespace

std::uint16_t QueuedWindowManager::RegisterClass(const WNDCLASS& windowClass) {
  if (windowClass.lpszClassName == nullptr || windowClass.lpfnWndProc == nullptr || classCount_ == kMaxClasses ||
      FindClass(windowClass.lpszClassName) != nullptr) {
    return 0;
  }
  classes_[classCount_] = windowClass;
  ++classCount_;
  return static_cast<std::uint16_t>(0xC000 + classCount_);  // atoms of registered classes start at 0xC000
}

const WNDCLASS* QueuedWindowManager::FindClass(const char* name) const {
  for (std::size_t i = 0; i < classCount_; ++i) {
    if (std::strcmp(classes_[i].lpszClassName, name) == 0) {
      return &classes_[i];
    }
  }
  return nullptr;
}

QueuedWindowManager::WindowRecord* QueuedWindowManager::Find(HWND window) {
  if (window == 0 || window > kMaxWindows || !windows_[window - 1].alive) {
    return nullptr;
  }
  return &windows_[window - 1];
}

const QueuedWindowManager::WindowRecord* QueuedWindowManager::Find(HWND window) const {
  return const_cast<QueuedWindowManager*>(this)->Find(window);
}

bool QueuedWindowManager::IsWindow(HWND window) const { return Find(window) != nullptr; }

LRESULT QueuedWindowManager::Send(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  WindowRecord* record = Find(window);
  if (record == nullptr) {
    return 0;
  }
  return record->procedure(window, message, wParam, lParam, record->context);
}

HWND QueuedWindowManager::CreateWindowEx(std::uint32_t /*exStyle*/, const char* className, const char* title,
                                         std::uint32_t /*style*/, int /*x*/, int /*y*/, int width, int height,
                                         HWND /*parent*/, HINSTANCE /*instance*/) {
  const WNDCLASS* windowClass = className == nullptr ? nullptr : FindClass(className);
  if (windowClass == nullptr) {
    return 0;
  }
  for (std::size_t i = 0; i < kMaxWindows; ++i) {
    if (!windows_[i].alive) {
      const HWND window = i + 1;
      if (!OnWindowCreated(window, title, width, height)) {
        return 0;
      }
      windows_[i] = WindowRecord{true, false, windowClass->lpfnWndProc, windowClass->context};
      Send(window, WM_CREATE, 0, 0);
      return window;
    }
  }
  return 0;
}

bool QueuedWindowManager::ShowWindow(HWND window, int showCommand) {
  WindowRecord* record = Find(window);
  if (record == nullptr) {
    return false;
  }
  const bool wasVisible = record->visible;
  record->visible = showCommand != kShowHide;
  OnWindowShown(window, record->visible);
  if (record->visible && !wasVisible) {
    Send(window, WM_ACTIVATE, kActive, 0);
  }
  return wasVisible;
}

bool QueuedWindowManager::UpdateWindow(HWND window) { return Find(window) != nullptr; }

HWND QueuedWindowManager::SetFocus(HWND window) {
  const HWND previous = focus_;
  if (Find(window) != nullptr) {
    focus_ = window;
  }
  return previous;
}

bool QueuedWindowManager::DestroyWindow(HWND window) {
  WindowRecord* record = Find(window);
  if (record == nullptr) {
    return false;
  }
  Send(window, WM_DESTROY, 0, 0);
  record->alive = false;
  if (focus_ == window) {
    focus_ = 0;
  }
  OnWindowDestroyed(window);
  return true;
}

bool QueuedWindowManager::PeekMessage(MSG* message, HWND /*window*/, std::uint32_t /*first*/, std::uint32_t /*last*/,
                                      std::uint32_t removeFlags) {
  PollDevice();
  if (count_ == 0) {
    return false;
  }
  *message = queue_[head_];
  if (removeFlags != PM_NOREMOVE) {
    head_ = (head_ + 1) % kQueueCapacity;
    --count_;
  }
  return true;
}

int QueuedWindowManager::GetMessage(MSG* message, HWND window, std::uint32_t first, std::uint32_t last) {
  while (!PeekMessage(message, window, first, last, 1)) {
    if (!WaitDevice()) {
      return -1;
    }
  }
  return message->message == WM_QUIT ? 0 : 1;
}

bool QueuedWindowManager::TranslateMessage(const MSG* message) {
  if (message->message != WM_KEYDOWN) {
    return false;
  }
  const WPARAM key = message->wParam;
  const bool letter = key >= 'A' && key <= 'Z';
  const bool digitOrSpace = (key >= '0' && key <= '9') || key == ' ';
  if (!letter && !digitOrSpace) {
    return false;
  }
  return PostMessage(message->hwnd, WM_CHAR, letter ? key + ('a' - 'A') : key, message->lParam);
}

LRESULT QueuedWindowManager::DispatchMessage(const MSG* message) {
  return Send(message->hwnd, message->message, message->wParam, message->lParam);
}

bool QueuedWindowManager::PostMessage(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  // The last place is kept for the quit message, so that asking to quit always works.
  const std::size_t capacity = message == WM_QUIT ? kQueueCapacity : kQueueCapacity - 1;
  if (count_ >= capacity) {
    return false;
  }
  queue_[(head_ + count_) % kQueueCapacity] = MSG{window, message, wParam, lParam};
  ++count_;
  return true;
}

void QueuedWindowManager::PostQuitMessage(int exitCode) {
  // The quit message takes its place in the queue behind what is already there.
  PostMessage(0, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
}

LRESULT QueuedWindowManager::DefWindowProc(HWND window, std::uint32_t message, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  if (message == WM_CLOSE) {
    DestroyWindow(window);
  }
  return 0;
}

}  // namespace vantrelle::platform
