#include "host/present_frame.h"

#include <cstdint>

#include "host/display.h"

namespace vantrelle::host {

using namespace platform;

void PresentFrame(const FrameBuffer& frame, IDirectDrawSurface& backBuffer) {
  DDSURFACEDESC locked;
  locked.dwSize = sizeof(DDSURFACEDESC);
  if (backBuffer.Lock(nullptr, &locked, DDLOCK_WAITNOTBUSY, nullptr) != DD_OK) {
    return;  // the record holds nothing valid to write through
  }
  if (locked.ddpfPixelFormat.dwRGBBitCount == kDisplayBitCount) {
    const std::int32_t rowPixels = locked.lPitch >> 1;
    auto* row = static_cast<std::uint16_t*>(locked.lpSurface);
    // Display row y is frame column y, read from the frame's bottom row upward.
    for (int y = 0; y < kDisplayHeight; ++y, row += rowPixels) {
      int source = (kFrameHeight - 1) * kFrameWidth + y;
      for (int x = 0; x < kDisplayWidth; ++x, source -= kFrameWidth) {
        row[x] = frame[source];
      }
    }
  }
  backBuffer.Unlock(nullptr);
}

}  // namespace vantrelle::host
