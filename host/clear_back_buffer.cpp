#include "host/clear_back_buffer.h"

#include <cstdint>

#include "host/display_constants.h"

namespace vantrelle::host {

using namespace platform;

void ClearBackBuffer(IDirectDrawSurface& backBuffer) {
  DDSURFACEDESC locked;
  locked.dwSize = sizeof(DDSURFACEDESC);
  if (backBuffer.Lock(nullptr, &locked, DDLOCK_WAITNOTBUSY, nullptr) != DD_OK) {
    return;  // the record holds nothing valid to write through
  }
  if (locked.ddpfPixelFormat.dwRGBBitCount == kDisplayBitCount) {
    const std::int32_t rowPixels = locked.lPitch >> 1;  // pitch rounded down to whole pixels
    auto* row = static_cast<std::uint16_t*>(locked.lpSurface);
    for (int y = 0; y < kDisplayHeight; ++y, row += rowPixels) {
      for (int x = 0; x < kDisplayWidth; ++x) {
        row[x] = 0;
      }
    }
  }
  backBuffer.Unlock(nullptr);
}

}  // namespace vantrelle::host
