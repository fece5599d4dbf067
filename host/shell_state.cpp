#include "host/shell_state.h"

namespace vantrelle::host {

PlatformServices* Platform = nullptr;
std::filesystem::path DataDirectory;
platform::IDirectDraw* DirectDrawObject = nullptr;
platform::IDirectDrawSurface* PrimarySurface = nullptr;
platform::IDirectDrawSurface* BackBuffer = nullptr;
std::int32_t SurfaceFound = 0;
const char* ErrorMessage = nullptr;
std::int32_t QuitFlag = 0;
std::array<std::uint8_t, kSoundtrackCapacityBytes> MusicBuffer{};
platform::FSOUND_STREAM* MusicStream = nullptr;
std::uint32_t StartTick = 0;
FrameBuffer ShowFrame{};

void ResetShellState() {
  Platform = nullptr;
  DataDirectory.clear();
  DirectDrawObject = nullptr;
  PrimarySurface = nullptr;
  BackBuffer = nullptr;
  SurfaceFound = 0;
  ErrorMessage = nullptr;
  QuitFlag = 0;
  MusicBuffer.fill(0);
  MusicStream = nullptr;
  StartTick = 0;
  ShowFrame.fill(0);
}

}  // namespace vantrelle::host
