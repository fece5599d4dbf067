#pragma once
// The show program's state: one of each, for the whole process, as the
// handheld had it. The platform services it runs over and the engine calls
// it makes are handed in, so a test can run the whole program headless.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "assets/data_inventory.h"
#include "core/demo_clock.h"
#include "core/frame_buffer.h"
#include "core/status.h"
#include "platform/direct_draw.h"
#include "platform/sound_library.h"
#include "platform/system_services.h"
#include "platform/window_manager.h"

namespace vantrelle::host {

struct PlatformServices {
  platform::WindowManager& windows;
  platform::DirectDrawDriver& directDraw;
  platform::SoundLibrary& sound;
  platform::SystemServices& system;
};

// The engine's two entries: start-up loading, and drawing one frame.
struct ShowOperations {
  // Loads every data file below the directory; the kind and one line on failure.
  Status (*loadAndPrecompute)(const std::filesystem::path& dataDirectory);
  // Draws the frame for t (ms); returns 0 once the show is over.
  int (*timeline)(FrameBuffer& frame, DemoClock t);
};

struct ShowConfig {
  std::filesystem::path dataDirectory;  // holds gfx/, mesh/ and music/
  DemoClock startMs = 0;                // the show (and its music) begins this far in, ms
  platform::HINSTANCE instance = 1;
  int showCommand = 1;  // SW_SHOWNORMAL
};

extern PlatformServices* Platform;            // set by ShowMain for the length of the run
extern std::filesystem::path DataDirectory;  // where LoadMusicFile looks

extern platform::IDirectDraw* DirectDrawObject;  // null when absent
extern platform::IDirectDrawSurface* PrimarySurface;
extern platform::IDirectDrawSurface* BackBuffer;
extern std::int32_t SurfaceFound;  // 1 once enumeration has found the back buffer

extern const char* ErrorMessage;  // the failed display set-up step, null if none
extern std::int32_t QuitFlag;     // 1 when the show is to end

extern std::array<std::uint8_t, kSoundtrackCapacityBytes> MusicBuffer;  // the soundtrack's bytes, zeros after them
extern platform::FSOUND_STREAM* MusicStream;
extern std::uint32_t StartTick;  // tick count (ms) right after the music started

extern FrameBuffer ShowFrame;  // the one frame every effect draws into

// Puts every item above back to its state at process start (for tests that
// run the program more than once in one process).
void ResetShellState();

}  // namespace vantrelle::host
