#include "host/on_surface_enumerated.h"

#include "host/shell_state.h"

namespace vantrelle::host {

platform::HRESULT OnSurfaceEnumerated(platform::IDirectDrawSurface* surface, platform::DDSURFACEDESC* /*description*/,
                                      void* context) {
  ShellState& shell = *static_cast<ShellState*>(context);
  if (shell.surfaceFound == 0) {
    shell.surfaceFound = 1;
    shell.display.backBuffer = surface;
    return platform::DDENUMRET_OK;
  }
  shell.platform.windows.OutputDebugString("TOLVAR: Enumerated more than surface?");
  surface->Release();
  return platform::DDENUMRET_CANCEL;
}

}  // namespace vantrelle::host
