#include "platform/sdl/sdl_desktop.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "platform/turn_display_to_landscape.h"
#include "platform/write_png.h"

// Last: Xlib defines short macro names (Status, None) that nothing after it may meet.
#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace vantrelle::platform {

SdlDesktop::SdlDesktop(const SdlDesktopConfig& config) : config_(config) {
  if (config_.scale < 1) {
    config_.scale = 1;
  }
}

SdlDesktop::~SdlDesktop() {
  if (texture_ != nullptr) {
    SDL_DestroyTexture(texture_);
  }
  if (renderer_ != nullptr) {
    SDL_DestroyRenderer(renderer_);
  }
  if (window_ != nullptr) {
    SDL_DestroyWindow(window_);
  }
  if (started_) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
}

namespace {

// Xlib's default ends the program with a dump of the broken connection.
int OnDisplayLost(Display* /*display*/) {
  std::fputs("vantrelle: the window was closed from outside\n", stderr);
  std::_Exit(0);
}

// A window destroyed from outside fails the next request on it or on what
// draws into it (BadWindow, BadDrawable, or GLX's BadDrawable on a swap),
// which Xlib's default handler reports in six lines and status 1.
constexpr int kGlxBadDrawable = 2;  // GLX's third error, after its first error code
XErrorHandler previousErrorHandler = nullptr;
int glxOpcode = -1;      // GLX's major request code, once the window is open
int glxFirstError = -1;  // its first error code
int OnXError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable ||
      (error->request_code == glxOpcode && error->error_code == glxFirstError + kGlxBadDrawable)) {
    OnDisplayLost(display);
  }
  return previousErrorHandler != nullptr ? previousErrorHandler(display, error) : 0;
}

bool Headless(const char* driver) { return std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0; }

}  // namespace

bool SdlDesktop::Start() {
  // SDL would turn SIGINT and SIGTERM into a quit event, which a blocked
  // stage (a message box) never reads.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "vantrelle: cannot open the display: %s\n", SDL_GetError());
    return false;
  }
  started_ = true;
  // SDL falls back to a driver without a screen when there is no display;
  // only SDL_VIDEODRIVER may ask for one.
  const char* chosen = std::getenv("SDL_VIDEODRIVER");
  if (Headless(SDL_GetCurrentVideoDriver()) && (chosen == nullptr || *chosen == '\0')) {
    std::fputs("vantrelle: cannot open the display: no display found (SDL_VIDEODRIVER=offscreen runs without one)\n",
               stderr);
    return false;
  }
  if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) {
    XSetIOErrorHandler(OnDisplayLost);
    previousErrorHandler = XSetErrorHandler(OnXError);
  }
  return true;
}

bool SdlDesktop::Unattended() const {
  const char* driver = started_ ? SDL_GetCurrentVideoDriver() : nullptr;
  return !config_.dialogs || driver == nullptr || Headless(driver);
}

bool SdlDesktop::OpenWindow(const char* title) {
  if (!started_) {
    return false;
  }
  const int width = config_.portrait ? kDisplayWidth : kDisplayHeight;
  const int height = config_.portrait ? kDisplayHeight : kDisplayWidth;
  window_ = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width * config_.scale,
                             height * config_.scale, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
  if (window_ == nullptr) {
    std::fprintf(stderr, "vantrelle: cannot create the window: %s\n", SDL_GetError());
    return false;
  }
  SDL_SysWMinfo system;
  SDL_VERSION(&system.version);
  int firstEvent = 0;
  if (SDL_GetWindowWMInfo(window_, &system) == SDL_TRUE && system.subsystem == SDL_SYSWM_X11 &&
      !XQueryExtension(system.info.x11.display, "GLX", &glxOpcode, &firstEvent, &glxFirstError)) {
    glxOpcode = glxFirstError = -1;
  }
  return true;
}

void SdlDesktop::ShowWindow(bool visible) {
  if (window_ == nullptr) {
    return;
  }
  if (visible) {
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
  } else {
    SDL_HideWindow(window_);
  }
}

void SdlDesktop::EnterFullScreen() {
  if (window_ != nullptr && config_.fullScreen) {
    SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
  }
}

void SdlDesktop::ToggleFullScreen() {
  if (window_ == nullptr) {
    return;
  }
  const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
  SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

bool SdlDesktop::OpenRenderer() {
  if (window_ == nullptr) {
    return false;
  }
  if (renderer_ != nullptr) {
    return true;
  }
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_PRESENTVSYNC);
  if (renderer_ == nullptr) {
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
  }
  if (renderer_ == nullptr) {
    std::fprintf(stderr, "vantrelle: cannot create a renderer: %s\n", SDL_GetError());
    return false;
  }
  const int width = config_.portrait ? kDisplayWidth : kDisplayHeight;
  const int height = config_.portrait ? kDisplayHeight : kDisplayWidth;
  SDL_RenderSetLogicalSize(renderer_, width, height);
  SDL_RenderSetIntegerScale(renderer_, SDL_TRUE);
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, width, height);
  if (texture_ == nullptr) {
    std::fprintf(stderr, "vantrelle: cannot create the display texture: %s\n", SDL_GetError());
    return false;
  }
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  return true;
}

void SdlDesktop::Present(const std::uint16_t* display, int pitch) {
  if (texture_ == nullptr) {
    return;
  }
  if (config_.portrait) {
    for (int y = 0; y < kDisplayHeight; ++y) {
      for (int x = 0; x < kDisplayWidth; ++x) {
        staging_[y * kDisplayWidth + x] = display[y * pitch + x];
      }
    }
  } else {
    TurnDisplayToLandscape(display, pitch, staging_.data());
  }
  const int rowBytes = 2 * (config_.portrait ? kDisplayWidth : kDisplayHeight);
  presented_ = true;
  SDL_UpdateTexture(texture_, nullptr, staging_.data(), rowBytes);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  if (progress_.visible) {
    DrawProgressBar();
  }
  SDL_RenderPresent(renderer_);
}

bool SdlDesktop::TakePlayerEvent(PlayerEvent& event) {
  if (playerCount_ == 0) {
    return false;
  }
  event = playerEvents_[playerHead_];
  playerHead_ = (playerHead_ + 1) % kPlayerQueueCapacity;
  --playerCount_;
  return true;
}

void SdlDesktop::PushPlayerEvent(const PlayerEvent& event) {
  if (playerCount_ < kPlayerQueueCapacity) {
    playerEvents_[(playerHead_ + playerCount_) % kPlayerQueueCapacity] = event;
    ++playerCount_;
  }
}

void SdlDesktop::SetProgressMarks(const ProgressMarks& marks) { marks_ = marks; }

void SdlDesktop::ShowProgress(const ProgressView& view) { progress_ = view; }

void SdlDesktop::Click(int x, int y) {
  const ProgressBarLayout layout = LayOutProgressBar(OutputWidth(), OutputHeight());
  if (progress_.visible && OnProgressBar(layout, x, y)) {
    PushPlayerEvent({PlayerAction::kSeekTo, ProgressTimeAt(layout, x, marks_.lengthMs)});
  } else {
    PushPlayerEvent({PlayerAction::kTogglePause, 0});
  }
}

void SdlDesktop::PointerAt(int x, int y) {
  if (pointerKnown_ && (x != pointerX_ || y != pointerY_)) {
    PushPlayerEvent({PlayerAction::kPointerMoved, 0});
  }
  pointerKnown_ = true;
  pointerX_ = x;
  pointerY_ = y;
}

// Drawn through the renderer's logical size, so it is enlarged with the
// picture, over it, never into the frame.
void SdlDesktop::DrawProgressBar() {
  const ProgressBarLayout layout = LayOutProgressBar(OutputWidth(), OutputHeight());
  const int played = ProgressColumn(layout, progress_.nowMs, marks_.lengthMs);
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 160);  // shade, so the bar reads over a white flash
  const SDL_Rect panel{0, layout.panelTop, layout.outputWidth, layout.outputHeight - layout.panelTop};
  SDL_RenderFillRect(renderer_, &panel);
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(renderer_, 96, 96, 96, 255);
  const SDL_Rect track{layout.x, layout.y, layout.width, layout.height};
  SDL_RenderFillRect(renderer_, &track);
  SDL_SetRenderDrawColor(renderer_, 235, 235, 235, 255);
  const SDL_Rect done{layout.x, layout.y, played - layout.x, layout.height};
  SDL_RenderFillRect(renderer_, &done);
  SDL_SetRenderDrawColor(renderer_, 255, 190, 40, 255);
  for (std::size_t i = 0; i < marks_.count; ++i) {
    const int x = ProgressColumn(layout, marks_.startsMs[i], marks_.lengthMs);
    SDL_RenderDrawLine(renderer_, x, layout.y - 2, x, layout.y + layout.height + 1);
  }
  // The show hides the pointer, so the bar shows where a click would go.
  if (pointerKnown_ && OnProgressBar(layout, pointerX_, pointerY_)) {
    const int x = std::clamp(pointerX_, layout.x, layout.x + layout.width - 1);
    SDL_SetRenderDrawColor(renderer_, 255, 255, 255, 255);
    SDL_RenderDrawLine(renderer_, x, layout.y - 4, x, layout.y + layout.height + 3);
  }
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);  // the clear colour of the borders
}

void SdlDesktop::SaveScreenshot() {
  if (!presented_) {
    std::fprintf(stderr, "vantrelle: no frame shown yet, no screenshot taken\n");
    return;
  }
  std::array<std::uint16_t, kDisplayWidth * kDisplayHeight> landscape;
  if (exactFrame_ != nullptr) {
    // A still shows the frame as drawn, never the reduced-flash picture.
    std::copy(exactFrame_, exactFrame_ + landscape.size(), landscape.begin());
  } else if (config_.portrait) {
    TurnDisplayToLandscape(staging_.data(), kDisplayWidth, landscape.data());
  } else {
    landscape = staging_;
  }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  std::error_code ignored;
  const std::filesystem::path file = FreeScreenshotPath(std::filesystem::current_path(ignored), stamp);
  if (const auto written = WritePngRgb565(file, landscape.data(), kDisplayHeight, kDisplayWidth); written.ok()) {
    std::fprintf(stderr, "vantrelle: screenshot saved as %s\n", file.c_str());
  } else {
    std::fprintf(stderr, "vantrelle: screenshot: %s\n", written.message.c_str());
  }
}

}  // namespace vantrelle::platform
