#pragma once
// Copies `frame` (400 x 240 landscape) onto the back buffer (240 x 400
// portrait) turned a quarter turn clockwise: frame pixel (column c, row r)
// lands at display column 239 - r, row c. Only a 16-bit surface is written;
// bytes past column 239 of each row are never touched.
#include "core/frame_buffer.h"
#include "platform/direct_draw.h"

namespace vantrelle::host {

void PresentFrame(const FrameBuffer& frame, platform::IDirectDrawSurface& backBuffer);

}  // namespace vantrelle::host
