#include "host/on_surface_enumerated.h"

#include "host/shell_state.h"

namespace vantrelle::host {

platform::HRESULT OnSurfaceEnumerated(platform::IDirectDrawSurface* surface,
                                      platform::DDSURFACEDESC* /*description*/, void* context) {
  if (SurfaceFound == 0) {
    SurfaceFound = 1;
    *static_cast<platform::IDirectDrawSurface**>(context) = surface;
    return platform::DDENUMRET_OK;
  }
  Platform->windows.OutputDebugString("TOLVAR: Enumerated more than surface?");
  surface->Release();
  return platform::DDENUMRET_CANCEL;
}

}  // namespace vantrelle::host
