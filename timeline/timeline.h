#pragma once
// The scene script: draws the frame for time t into the frame buffer.
#include "core/demo_clock.h"
#include "core/frame_buffer.h"

namespace vantrelle {

// Returns 0 once t >= 251,328 ms (the show is over), else non-zero.
int Timeline(FrameBuffer& frame, DemoClock t);

}  // namespace vantrelle
