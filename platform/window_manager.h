#pragma once
// Stands in for the handheld's window manager and message queue: one class,
// one pop-up window, a queue of posted messages and the procedure that
// handles them. Names and message numbers are the handheld's own.
#include <cstdint>

namespace vantrelle::platform {

using HWND = std::uintptr_t;       // a window; 0 is none
using HINSTANCE = std::uintptr_t;  // the running program
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
// `context` is the class's own pointer, handed to the procedure with every message.
using WNDPROC = LRESULT (*)(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam, void* context);

inline constexpr std::uint32_t WM_CREATE = 0x0001;
inline constexpr std::uint32_t WM_DESTROY = 0x0002;
inline constexpr std::uint32_t WM_ACTIVATE = 0x0006;
inline constexpr std::uint32_t WM_CLOSE = 0x0010;
inline constexpr std::uint32_t WM_QUIT = 0x0012;
inline constexpr std::uint32_t WM_SETCURSOR = 0x0020;
inline constexpr std::uint32_t WM_KEYDOWN = 0x0100;
inline constexpr std::uint32_t WM_KEYUP = 0x0101;
inline constexpr std::uint32_t WM_CHAR = 0x0102;

inline constexpr WPARAM VK_HANDHELD_EXIT = 134;  // the handheld's exit key (Escape on the desktop)

inline constexpr std::uint32_t PM_NOREMOVE = 0;
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr std::uint32_t MB_OK = 0x00;
inline constexpr std::uint32_t MB_ICONEXCLAMATION = 0x30;

struct MSG {
  HWND hwnd = 0;
  std::uint32_t message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// A window class. Icon, cursor and brush are resource and stock identifiers.
struct WNDCLASS {
  std::uint32_t style = 0;
  WNDPROC lpfnWndProc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE hInstance = 0;
  std::uint32_t iconResource = 0;
  std::uint32_t cursorId = 0;
  std::uint32_t backgroundBrush = 0;
  const char* lpszMenuName = nullptr;
  const char* lpszClassName = nullptr;
  void* context = nullptr;  // what the procedure works on (the program's state), given back with each message
};

class WindowManager {
 public:
  virtual ~WindowManager() = default;
  // Registers a window class; returns a non-zero atom, 0 on failure.
  virtual std::uint16_t RegisterClass(const WNDCLASS& windowClass) = 0;
  // Creates a window of a registered class (sends it WM_CREATE); 0 on failure.
  virtual HWND CreateWindowEx(std::uint32_t exStyle, const char* className, const char* title, std::uint32_t style,
                              int x, int y, int width, int height, HWND parent, HINSTANCE instance) = 0;
  // Screen width (SM_CXSCREEN) or height (SM_CYSCREEN) in device pixels.
  virtual int GetSystemMetrics(int index) = 0;
  // Shows or hides the window as the show command says (activating sends WM_ACTIVATE).
  virtual bool ShowWindow(HWND window, int showCommand) = 0;
  // Brings the window's picture up to date.
  virtual bool UpdateWindow(HWND window) = 0;
  // Gives the window the keyboard focus; returns the window that had it.
  virtual HWND SetFocus(HWND window) = 0;
  // Sends WM_DESTROY to the window's procedure and removes the window.
  virtual bool DestroyWindow(HWND window) = 0;
  // True when a message is waiting; copies it into `message`, removing it only if asked.
  virtual bool PeekMessage(MSG* message, HWND window, std::uint32_t first, std::uint32_t last,
                           std::uint32_t removeFlags) = 0;
  // Takes the next message, waiting for one; returns 0 for WM_QUIT, -1 on error.
  virtual int GetMessage(MSG* message, HWND window, std::uint32_t first, std::uint32_t last) = 0;
  // Posts the character message that belongs to a key-down message, if any.
  virtual bool TranslateMessage(const MSG* message) = 0;
  // Hands a message to its window's procedure and returns the procedure's result.
  virtual LRESULT DispatchMessage(const MSG* message) = 0;
  // Appends a message for the window to the queue.
  virtual bool PostMessage(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) = 0;
  // Appends WM_QUIT with the exit code in its word parameter.
  virtual void PostQuitMessage(int exitCode) = 0;
  // Default processing: WM_CLOSE destroys the window; everything else returns 0.
  virtual LRESULT DefWindowProc(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) = 0;
  // Sets the cursor shape; nullptr shows no cursor. Returns the previous one.
  virtual const void* SetCursor(const void* cursor) = 0;
  // Shows a message box and waits until it is dismissed; returns the button pressed.
  virtual int MessageBox(HWND owner, const char* text, const char* caption, std::uint32_t type) = 0;
  // Writes one line to the debugger's output.
  virtual void OutputDebugString(const char* text) = 0;
};

}  // namespace vantrelle::platform
