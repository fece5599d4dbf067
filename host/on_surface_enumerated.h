#pragma once
// Enumeration callback of the primary surface's attachments: the first
// surface becomes the back buffer (kept in the display objects of `context`,
// the program's ShellState); any further surface is reported on the debug
// output, released, and stops the enumeration.
#include "platform/direct_draw.h"

namespace vantrelle::host {

platform::HRESULT OnSurfaceEnumerated(platform::IDirectDrawSurface* surface, platform::DDSURFACEDESC* description,
                                      void* context);

}  // namespace vantrelle::host
