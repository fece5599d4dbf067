#pragma once
// Shows the back buffer of the flipping chain headed by `primary`. A flip
// the display is still busy with is retried; a lost surface is restored once
// and not flipped again this frame; any other error is dropped (the next
// frame tries again).
#include "platform/direct_draw.h"

namespace vantrelle::host {

void FlipFrame(platform::IDirectDrawSurface& primary);

}  // namespace vantrelle::host
