#pragma once
// The show program's state, one object passed to every function that needs
// it. The platform services it runs over and the engine calls it makes are
// handed in, so a test can run the whole program headless.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "assets/data_inventory.h"
#include "core/demo_clock.h"
#include "core/frame_buffer.h"
#include "core/status.h"
#include "flash/flash_map.h"
#include "platform/direct_draw.h"
#include "platform/player_controls.h"
#include "platform/sound_library.h"
#include "platform/system_services.h"
#include "platform/window_manager.h"
#include "timeline/timeline.h"

namespace vantrelle::host {

struct PlatformServices {
  platform::WindowManager& windows;
  platform::DirectDrawDriver& directDraw;
  platform::SoundLibrary& sound;
  platform::SystemServices& system;
  platform::PlayerControls& controls;  // the desktop's pause, seek, mute and progress bar
};

// The engine's two entries: start-up loading, and drawing one frame.
struct ShowOperations {
  // Loads every data file below the directory; the kind and one line on failure.
  Status (*loadAndPrecompute)(const std::filesystem::path& dataDirectory);
  // Draws the frame for t (ms); returns 0 once the show is over.
  int (*timeline)(FrameBuffer& frame, DemoClock t);
  // The score's segments, in time order: the marks on the progress bar.
  std::span<const SegmentInfo> segments;
};

struct ShowConfig {
  std::filesystem::path dataDirectory;  // holds gfx/, mesh/ and music/
  DemoClock startMs = 0;                // the show (and its music) begins this far in, ms
  bool loop = false;                    // at the end, start again from 0 instead of ending
  platform::HINSTANCE instance = 1;
  int showCommand = 1;          // SW_SHOWNORMAL
  bool reduceFlashing = false;  // start with the reduced-flash filter on (R switches it)
  flash::FlashMap flashMap;     // what the filter follows; read at start-up
};

// The display objects; each is null when absent.
struct DisplayObjects {
  platform::IDirectDraw* directDraw = nullptr;
  platform::IDirectDrawSurface* primary = nullptr;
  platform::IDirectDrawSurface* backBuffer = nullptr;
};

// What the program keeps between calls, from its window's creation to its
// end. One object per run, owned by whoever calls ShowMain, handed to the
// window procedure as its class context; a second run takes a fresh object.
struct ShellState {
  explicit ShellState(const PlatformServices& services) : platform(services) {}

  PlatformServices platform;
  DisplayObjects display;
  std::int32_t surfaceFound = 0;                                     // 1 once enumeration has found the back buffer
  const char* errorMessage = nullptr;                                // the failed display set-up step, null if none
  std::array<std::uint8_t, kSoundtrackCapacityBytes> musicBuffer{};  // the soundtrack's bytes, zeros after them
  FrameBuffer frame{};                                               // the one frame every effect draws into
  FrameBuffer reduced{};  // the frame through the reduced-flash filter; `frame` itself is never changed
};

}  // namespace vantrelle::host
