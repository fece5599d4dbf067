#pragma once
// The desktop window that stands in for the handheld's screen: one SDL
// window, renderer and streaming RGB565 texture, shared by the SDL window
// manager and the SDL display. By default the 240 x 400 portrait display is
// shown turned back to landscape, the way a viewer holds the handheld.
#include <SDL.h>

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/player_controls.h"
#include "platform/progress_bar.h"

namespace vantrelle::platform {

struct SdlDesktopConfig {
  bool fullScreen = true;  // take the whole desktop when the display asks for full screen
  int scale = 2;           // whole-number enlargement of the window when not full screen
  bool portrait = false;   // show the display as the handheld's own portrait screen
  bool dialogs = true;     // false: errors go to standard error only, never in a box (--no-dialog)
};

// It also keeps the player's input (keys and pointer, from the window
// manager) for the show program, and draws the progress bar over the
// enlarged picture.
class SdlDesktop : public PlayerControls {
 public:
  static constexpr int kDisplayWidth = 240;  // the handheld's portrait display
  static constexpr int kDisplayHeight = 400;

  explicit SdlDesktop(const SdlDesktopConfig& config);
  ~SdlDesktop() override;
  SdlDesktop(const SdlDesktop&) = delete;
  SdlDesktop& operator=(const SdlDesktop&) = delete;

  // Starts SDL's video; false (with a line on standard error) when there is no display.
  // Stop signals keep their default action, so that they end the program at any
  // stage, a message box included; a window killed from outside ends it with one
  // line and status 0.
  bool Start();
  // Whether nobody is there to answer a box: asked not to show one, or on a
  // video driver with no screen (dummy, offscreen).
  bool Unattended() const;
  // Creates the window, hidden, sized for the configured orientation and scale.
  bool OpenWindow(const char* title);
  void ShowWindow(bool visible);
  // Switches to full screen if the configuration asks for it.
  void EnterFullScreen();
  // Alt+Enter: full screen on or off.
  void ToggleFullScreen();
  // Creates the renderer (vsync) and the streaming texture; false on failure.
  bool OpenRenderer();
  // Shows a 240 x 400 portrait picture with `pitch` pixels per row; waits for vsync.
  void Present(const std::uint16_t* display, int pitch);

  // F12: writes the picture last presented, the way a viewer holding the
  // handheld sideways sees it (400 x 240), to a new PNG file in the working
  // directory, and says where (or why not) in one line on standard error.
  void SaveScreenshot();

  bool TakePlayerEvent(PlayerEvent& event) override;
  void SetProgressMarks(const ProgressMarks& marks) override;
  void ShowProgress(const ProgressView& view) override;
  void KeepExactFrame(const std::uint16_t* frame) override { exactFrame_ = frame; }
  // Queues an input for the player; dropped when the queue is full.
  void PushPlayerEvent(const PlayerEvent& event);
  // A click at (x, y) of the output (logical pixels): on a visible bar it
  // seeks there, elsewhere it pauses or resumes.
  void Click(int x, int y);
  // The pointer is at (x, y); only a move from a known place counts, so the
  // window appearing under a still pointer shows no bar.
  void PointerAt(int x, int y);

  SDL_Window* Window() const { return window_; }

 private:
  SdlDesktopConfig config_;
  bool started_ = false;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  std::array<std::uint16_t, kDisplayWidth * kDisplayHeight> staging_{};  // the picture as the texture takes it
  bool presented_ = false;
  const std::uint16_t* exactFrame_ = nullptr;  // the frame as drawn, when the picture shown differs from it

  void DrawProgressBar();
  int OutputWidth() const { return config_.portrait ? kDisplayWidth : kDisplayHeight; }
  int OutputHeight() const { return config_.portrait ? kDisplayHeight : kDisplayWidth; }

  static constexpr std::size_t kPlayerQueueCapacity = 32;  // far more than one frame's worth of input
  std::array<PlayerEvent, kPlayerQueueCapacity> playerEvents_{};
  std::size_t playerHead_ = 0;
  std::size_t playerCount_ = 0;
  ProgressMarks marks_;
  ProgressView progress_;
  bool pointerKnown_ = false;
  int pointerX_ = 0;
  int pointerY_ = 0;
};

}  // namespace vantrelle::platform
