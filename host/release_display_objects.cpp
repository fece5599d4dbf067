#include "host/release_display_objects.h"

#include "host/shell_state.h"

namespace vantrelle::host {

void ReleaseDisplayObjects() {
  if (BackBuffer != nullptr) {
    BackBuffer->Release();
    BackBuffer = nullptr;
  }
  if (PrimarySurface != nullptr) {
    PrimarySurface->Release();
    PrimarySurface = nullptr;
  }
  if (DirectDrawObject != nullptr) {
    DirectDrawObject->Release();
    DirectDrawObject = nullptr;
  }
}

}  // namespace vantrelle::host
