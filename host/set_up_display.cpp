#include "host/set_up_display.h"

#include "host/fail_startup.h"
#include "host/on_surface_enumerated.h"
#include "host/shell_state.h"

namespace vantrelle::host {

using namespace platform;

HRESULT SetUpDisplay(HWND window) {
  HRESULT result = Platform->directDraw.DirectDrawCreate(nullptr, &DirectDrawObject, nullptr);
  if (result != DD_OK) {
    return FailStartup(window, result, "DirectDrawCreate failed.");
  }
  result = DirectDrawObject->SetCooperativeLevel(window, DDSCL_FULLSCREEN);
  if (result != DD_OK) {
    return FailStartup(window, result, "SetCooperativeLevel failed.");
  }

  DDCAPS driverCaps;
  DDCAPS emulationCaps;
  driverCaps.dwSize = sizeof(DDCAPS);
  emulationCaps.dwSize = sizeof(DDCAPS);
  DirectDrawObject->GetCaps(&driverCaps, &emulationCaps);  // only the capability bits below matter
  if ((driverCaps.ddsCaps.dwCaps & DDSCAPS_BACKBUFFER) == 0) {
    return FailStartup(window, E_FAIL, "Display driver doesn't support a back buffer.");
  }
  if ((driverCaps.ddsCaps.dwCaps & DDSCAPS_FLIP) == 0) {
    return FailStartup(window, E_FAIL, "Display driver doesn't support flipping surfaces.");
  }

  // No display mode is set: the surfaces take the display's own size and format.
  DDSURFACEDESC description{};
  description.dwSize = sizeof(DDSURFACEDESC);
  description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  description.dwBackBufferCount = 1;
  description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP;
  result = DirectDrawObject->CreateSurface(&description, &PrimarySurface, nullptr);
  if (result != DD_OK) {
    return FailStartup(window, result, "CreateSurface failed.");
  }
  result = PrimarySurface->EnumAttachedSurfaces(&BackBuffer, OnSurfaceEnumerated);
  if (result != DD_OK) {
    return FailStartup(window, result, "EnumAttachedSurfaces failed.");
  }
  return DD_OK;
}

}  // namespace vantrelle::host
