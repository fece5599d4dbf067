#pragma once
// The desktop's media-player controls over the show: input that belongs to
// the program (pause, seek, mute, the pointer), never to the show's window
// procedure, and the progress bar the desktop draws over the enlarged
// picture. The frame itself is never touched.
#include <array>
#include <cstddef>
#include <cstdint>

namespace vantrelle::platform {

inline constexpr std::int32_t kSeekStepMs = 5000;  // Left and Right

enum class PlayerAction : std::uint8_t {
  kTogglePause,            // Space, or a click off the progress bar
  kSeekBy,                 // Left and Right: `ms` is the step, negative backward
  kSeekTo,                 // Home (`ms` 0), or a click on the progress bar
  kToggleMute,             // M
  kPointerMoved,           // the pointer moved over the picture
  kToggleReducedFlashing,  // R
};

struct PlayerEvent {
  PlayerAction action = PlayerAction::kTogglePause;
  std::int32_t ms = 0;  // the step or the target, ms
};

// Where the show's segments begin, for the marks on the bar.
struct ProgressMarks {
  static constexpr std::size_t kCapacity = 32;
  std::array<std::int32_t, kCapacity> startsMs{};
  std::size_t count = 0;
  std::int32_t lengthMs = 1;  // the whole show
};

// What the bar shows over the next pictures presented.
struct ProgressView {
  bool visible = false;
  std::int32_t nowMs = 0;  // the moment on screen
};

class PlayerControls {
 public:
  virtual ~PlayerControls() = default;
  // Takes the oldest input waiting for the player; false when there is none.
  virtual bool TakePlayerEvent(PlayerEvent& event) = 0;
  // The segment marks and the show's length, once before the show starts.
  virtual void SetProgressMarks(const ProgressMarks& marks) = 0;
  // The bar drawn over every picture presented from now on.
  virtual void ShowProgress(const ProgressView& view) = 0;
  // The frame as drawn (400 x 240) when the picture presented was changed
  // from it (reduced flashing), so that screenshots stay exact; null when
  // the picture presented is the frame itself.
  virtual void KeepExactFrame(const std::uint16_t* frame) = 0;
};

}  // namespace vantrelle::platform
