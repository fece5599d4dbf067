#include "host/flip_frame.h"

#include "host/shell_state.h"

namespace vantrelle::host {

using namespace platform;

void FlipFrame() {
  HRESULT result = PrimarySurface->Flip(nullptr, 0);
  while (result != DD_OK) {
    if (result == DDERR_SURFACELOST) {
      result = PrimarySurface->Restore();
      if (result != DD_OK) {
        return;
      }
    }
    if (result != DDERR_WASSTILLDRAWING) {
      return;  // a restored surface waits for the next frame's flip
    }
    result = PrimarySurface->Flip(nullptr, 0);
  }
}

}  // namespace vantrelle::host
