#pragma once
// The scene script: which scene plays at a given time and everything it
// draws, as a function of the time alone.
#include <cstdint>
#include <span>

#include "core/demo_clock.h"
#include "core/frame_buffer.h"
#include "effects/layer_setup.h"

namespace vantrelle {

// Draws the frame for t (ms since the music started, t >= 0) into `frame`,
// over whatever the previous frame left. Returns true while the show runs,
// false once t >= 251,328: the show is over and the frame is left untouched.
// A negative t draws nothing.
bool Timeline(FrameBuffer& frame, DemoClock t);

// Where the opening (0 <= t < 14,784) places its layers at t: the star sky's
// top row, the glow disc and the planet (x16), and the centre (pixels), mode
// and threshold of the light rays. Benchmarks draw the opening's layers from it.
struct LightRaysCall {
  std::int32_t centreColumn, centreRow, mode, threshold;
};
struct OpeningLayout {
  std::int32_t starSkyRow;
  ScaledLayer glow, planet;
  LightRaysCall rays;
};
OpeningLayout OpeningLayoutAt(DemoClock t);

// One line of the score: a scene from `start` (included) to `end` (excluded).
struct SegmentInfo {
  int number;  // 1..25
  DemoClock start;
  DemoClock end;
  const char* scene;
};

// The 25 segments in time order.
std::span<const SegmentInfo> ShowSegments();

// The segment that plays at t, or nullptr outside 0 <= t < 251,328.
const SegmentInfo* SegmentAt(DemoClock t);

}  // namespace vantrelle
