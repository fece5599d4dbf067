#pragma once
// The part of the window manager every backend shares: registered classes,
// windows, the posted-message queue, dispatch and default processing. A
// backend adds where messages come from and how boxes, cursor and debug
// lines reach the person in front of the screen. Fixed capacities: nothing
// is allocated once the window exists.
#include <array>
#include <cstddef>

#include "platform/window_manager.h"

namespace vantrelle::platform {

class QueuedWindowManager : public WindowManager {
 public:
  static constexpr std::size_t kMaxClasses = 4;
  static constexpr std::size_t kMaxWindows = 4;
  static constexpr std::size_t kQueueCapacity = 64;  // far more than one frame's worth of input

  std::uint16_t RegisterClass(const WNDCLASS& windowClass) override;
  HWND CreateWindowEx(std::uint32_t exStyle, const char* className, const char* title, std::uint32_t style, int x,
                      int y, int width, int height, HWND parent, HINSTANCE instance) override;
  bool ShowWindow(HWND window, int showCommand) override;
  bool UpdateWindow(HWND window) override;
  HWND SetFocus(HWND window) override;
  bool DestroyWindow(HWND window) override;
  bool PeekMessage(MSG* message, HWND window, std::uint32_t first, std::uint32_t last,
                   std::uint32_t removeFlags) override;
  int GetMessage(MSG* message, HWND window, std::uint32_t first, std::uint32_t last) override;
  bool TranslateMessage(const MSG* message) override;
  LRESULT DispatchMessage(const MSG* message) override;
  bool PostMessage(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) override;
  void PostQuitMessage(int exitCode) override;
  LRESULT DefWindowProc(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) override;

  // True while the window exists (created and not yet destroyed).
  bool IsWindow(HWND window) const;
  // The window that has the focus, 0 if none.
  HWND FocusWindow() const { return focus_; }
  // Messages waiting in the queue.
  std::size_t QueuedCount() const { return count_; }

 protected:
  // Moves whatever the device has to say into the queue; must not wait.
  virtual void PollDevice() {}
  // Waits until the device has something to say; false when it never will.
  virtual bool WaitDevice() { return false; }
  // The device side of a new window; false refuses the window.
  virtual bool OnWindowCreated(HWND /*window*/, const char* /*title*/, int /*width*/, int /*height*/) { return true; }
  // The window became visible (true) or hidden (false).
  virtual void OnWindowShown(HWND /*window*/, bool /*visible*/) {}
  // The window is gone.
  virtual void OnWindowDestroyed(HWND /*window*/) {}

 private:
  struct WindowRecord {
    bool alive = false;
    bool visible = false;
    WNDPROC procedure = nullptr;
    void* context = nullptr;
  };
  const WNDCLASS* FindClass(const char* name) const;
  WindowRecord* Find(HWND window);
  const WindowRecord* Find(HWND window) const;
  LRESULT Send(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam);

  std::array<WNDCLASS, kMaxClasses> classes_{};
  std::size_t classCount_ = 0;
  std::array<WindowRecord, kMaxWindows> windows_{};
  std::array<MSG, kQueueCapacity> queue_{};
  std::size_t head_ = 0;
  std::size_t count_ = 0;
  HWND focus_ = 0;
};

}  // namespace vantrelle::platform
