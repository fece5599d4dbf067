#include "host/release_display_objects.h"

namespace vantrelle::host {

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

}  // namespace vantrelle::host
