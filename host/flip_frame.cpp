#include "host/flip_frame.h"

namespace vantrelle::host {

using namespace platform;

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

}  // namespace vantrelle::host
