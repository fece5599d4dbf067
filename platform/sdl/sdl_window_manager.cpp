#include "platform/sdl/sdl_window_manager.h"

#include <cstdio>

namespace vantrelle::platform {

namespace {

constexpr LPARAM kClientArea = 1;            // HTCLIENT
constexpr LPARAM kMouseMove = 0x0200 << 16;  // WM_MOUSEMOVE in the high word
constexpr WPARAM kUnassignedKey = 0xFF;      // keys the handheld has no code for
constexpr int kIdOk = 1;

// The handheld's virtual key code for a desktop key.
WPARAM VirtualKey(SDL_Keycode key) {
  if (key == SDLK_ESCAPE) {
    return VK_HANDHELD_EXIT;
  }
  if (key >= SDLK_a && key <= SDLK_z) {
    return static_cast<WPARAM>('A' + (key - SDLK_a));
  }
  if ((key >= SDLK_0 && key <= SDLK_9) || key == SDLK_SPACE) {
    return static_cast<WPARAM>(key);
  }
  switch (key) {
    case SDLK_RETURN:
      return 0x0D;
    case SDLK_LEFT:
      return 0x25;
    case SDLK_UP:
      return 0x26;
    case SDLK_RIGHT:
      return 0x27;
    case SDLK_DOWN:
      return 0x28;
    default:
      return kUnassignedKey;
  }
}

// The player's keys, the same as the web page's: unmodified, as there.
bool PlayerKey(const SDL_Keysym& key) {
  if ((key.mod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) != 0) {
    return false;
  }
  return key.sym == SDLK_SPACE || key.sym == SDLK_LEFT || key.sym == SDLK_RIGHT || key.sym == SDLK_HOME ||
         key.sym == SDLK_m || key.sym == SDLK_r;
}

// Held down, the seek keys go on seeking; the others act once.
bool Repeats(SDL_Keycode key) { return key == SDLK_LEFT || key == SDLK_RIGHT; }

PlayerEvent PlayerEventFor(SDL_Keycode key) {
  switch (key) {
    case SDLK_LEFT:
      return {PlayerAction::kSeekBy, -kSeekStepMs};
    case SDLK_RIGHT:
      return {PlayerAction::kSeekBy, kSeekStepMs};
    case SDLK_HOME:
      return {PlayerAction::kSeekTo, 0};
    case SDLK_m:
      return {PlayerAction::kToggleMute, 0};
    case SDLK_r:
      return {PlayerAction::kToggleReducedFlashing, 0};
    default:
      return {PlayerAction::kTogglePause, 0};
  }
}

}  // namespace

int SdlWindowManager::GetSystemMetrics(int index) {
  // The show is written for the handheld's screen, whatever the desktop is.
  if (index == SM_CXSCREEN) {
    return SdlDesktop::kDisplayWidth;
  }
  return index == SM_CYSCREEN ? SdlDesktop::kDisplayHeight : 0;
}

const void* SdlWindowManager::SetCursor(const void* cursor) {
  const void* previous = cursor_;
  cursor_ = cursor;
  SDL_ShowCursor(cursor == nullptr ? SDL_DISABLE : SDL_ENABLE);
  return previous;
}

int SdlWindowManager::MessageBox(HWND /*owner*/, const char* text, const char* caption, std::uint32_t /*type*/) {
  // The show prints its errors on standard error itself; a box is only for someone watching.
  if (!desktop_.Unattended()) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption, text, nullptr);
  }
  return kIdOk;
}

void SdlWindowManager::OutputDebugString(const char* text) { std::fprintf(stderr, "%s\n", text); }

void SdlWindowManager::Translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      PostMessage(window_, WM_CLOSE, 0, 0);
      break;
    case SDL_WINDOWEVENT:
      // Focus changes stay on the desktop: the handheld's show window is
      // activated once, when it is shown.
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
        PostMessage(window_, WM_CLOSE, 0, 0);
      }
      break;
    case SDL_MOUSEMOTION:
      desktop_.PointerAt(event.motion.x, event.motion.y);
      PostMessage(window_, WM_SETCURSOR, window_, kClientArea | kMouseMove);
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button == SDL_BUTTON_LEFT) {
        desktop_.Click(event.button.x, event.button.y);
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const SDL_Keysym& key = event.key.keysym;
      if (PlayerKey(key)) {
        if (event.type == SDL_KEYDOWN && (event.key.repeat == 0 || Repeats(key.sym))) {
          desktop_.PushPlayerEvent(PlayerEventFor(key.sym));
        }
        break;
      }
      if (key.sym == SDLK_RETURN && (key.mod & KMOD_ALT) != 0) {
        if (event.type == SDL_KEYDOWN && event.key.repeat == 0) {
          desktop_.ToggleFullScreen();
        }
        break;
      }
      if (key.sym == SDLK_F12) {
        if (event.type == SDL_KEYDOWN && event.key.repeat == 0) {
          desktop_.SaveScreenshot();
        }
        break;
      }
      PostMessage(window_, event.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, VirtualKey(key.sym), 1);
      break;
    }
    default:
      break;
  }
}

void SdlWindowManager::PollDevice() {
  if (window_ == 0) {
    return;
  }
  SDL_Event event;
  while (QueuedCount() + 1 < kQueueCapacity && SDL_PollEvent(&event) != 0) {
    Translate(event);
  }
}

bool SdlWindowManager::WaitDevice() { return window_ != 0 && SDL_WaitEvent(nullptr) != 0; }

bool SdlWindowManager::OnWindowCreated(HWND window, const char* title, int /*width*/, int /*height*/) {
  if (window_ != 0 || !desktop_.OpenWindow(title)) {
    return false;  // the desktop has one window, the handheld's screen
  }
  window_ = window;
  return true;
}

void SdlWindowManager::OnWindowShown(HWND window, bool visible) {
  if (window == window_) {
    desktop_.ShowWindow(visible);
  }
}

void SdlWindowManager::OnWindowDestroyed(HWND window) {
  if (window == window_) {
    desktop_.ShowWindow(false);
    window_ = 0;
  }
}

}  // namespace vantrelle::platform
