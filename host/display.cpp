#include "host/display.h"

#include <cstdint>

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

void FlipFrame(IDirectDrawSurface& primary) {
  HRESULT result = primary.Flip(nullptr, 0);
  while (result != DD_OK) {
    if (result == DDERR_SURFACELOST) {
      result = primary.Restore();
      if (result != DD_OK) {
        return;
      }
    }
    if (result != DDERR_WASSTILLDRAWING) {
      return;  // a restored surface waits for the next frame's flip
    }
    result = primary.Flip(nullptr, 0);
  }
}

void ReleaseDisplayObjects(DisplayObjects& display) {
  if (display.backBuffer != nullptr) {
    display.backBuffer->Release();
    display.backBuffer = nullptr;
  }
  if (display.primary != nullptr) {
    display.primary->Release();
    display.primary = nullptr;
  }
  if (display.directDraw != nullptr) {
    display.directDraw->Release();
    display.directDraw = nullptr;
  }
}

HRESULT FailStartup(ShellState& shell, HWND window, HRESULT code, const char* message) {
  ReleaseDisplayObjects(shell.display);
  shell.platform.windows.DestroyWindow(window);
  shell.errorMessage = message;
  return code;
}

HRESULT OnSurfaceEnumerated(IDirectDrawSurface* surface, DDSURFACEDESC* /*description*/, void* context) {
  ShellState& shell = *static_cast<ShellState*>(context);
  if (shell.surfaceFound == 0) {
    shell.surfaceFound = 1;
    shell.display.backBuffer = surface;
    return DDENUMRET_OK;
  }
  shell.platform.windows.OutputDebugString("TOLVAR: Enumerated more than surface?");
  surface->Release();
  return DDENUMRET_CANCEL;
}

}  // namespace vantrelle::host
