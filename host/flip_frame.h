#pragma once
// Shows the back buffer. A flip the display is still busy with is retried;
// a lost surface is restored once and not flipped again this frame; any
// other error is dropped (the next frame tries again).
namespace vantrelle::host {

void FlipFrame();

}  // namespace vantrelle::host
