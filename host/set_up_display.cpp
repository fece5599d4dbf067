#include "host/set_up_display.h"

#include "host/display.h"

namespace vantrelle::host {

using namespace platform;

HRESULT SetUpDisplay(ShellState& shell, HWND window) {
  DisplayObjects& display = shell.display;
  HRESULT result = shell.platform.directDraw.DirectDrawCreate(nullptr, &display.directDraw, nullptr);
  if (result != DD_OK) {
    return FailStartup(shell, window, result, "DirectDrawCreate failed.");
  }
  result = display.directDraw->SetCooperativeLevel(window, DDSCL_FULLSCREEN);
  if (result != DD_OK) {
    return FailStartup(shell, window, result, "SetCooperativeLevel failed.");
  }

  DDCAPS driverCaps;
  DDCAPS emulationCaps;
  driverCaps.dwSize = sizeof(DDCAPS);
  emulationCaps.dwSize = sizeof(DDCAPS);
  display.directDraw->GetCaps(&driverCaps, &emulationCaps);  // only the capability bits below matter
  if ((driverCaps.ddsCaps.dwCaps & DDSCAPS_BACKBUFFER) == 0) {
    return FailStartup(shell, window, E_FAIL, "Display driver doesn't support a back buffer.");
  }
  if ((driverCaps.ddsCaps.dwCaps & DDSCAPS_FLIP) == 0) {
    return FailStartup(shell, window, E_FAIL, "Display driver doesn't support flipping surfaces.");
  }

  // No display mode is set: the surfaces take the display's own size and format.
  DDSURFACEDESC description{};
  description.dwSize = sizeof(DDSURFACEDESC);
  description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  description.dwBackBufferCount = 1;
  description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP;
  result = display.directDraw->CreateSurface(&description, &display.primary, nullptr);
  if (result != DD_OK) {
    return FailStartup(shell, window, result, "CreateSurface failed.");
  }
  result = display.primary->EnumAttachedSurfaces(&shell, OnSurfaceEnumerated);
  if (result != DD_OK) {
    return FailStartup(shell, window, result, "EnumAttachedSurfaces failed.");
  }
  return DD_OK;
}

}  // namespace vantrelle::host
