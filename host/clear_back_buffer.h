#pragma once
// Paints the back buffer's 240 x 400 display pixels black. Only a 16-bit
// surface is written; bytes past column 239 of each row are never touched.
#include "platform/direct_draw.h"

namespace vantrelle::host {

void ClearBackBuffer(platform::IDirectDrawSurface& backBuffer);

}  // namespace vantrelle::host
