#pragma once
// The scene script: which scene plays at a given time and everything it
// draws, as a function of the time alone.
#include <cstdint>
#include <span>

#include "core/demo_clock.h"
#include "core/frame_buffer.h"
#include "timeline/scene_operations.h"

namespace vantrelle {

// Draws the frame for t (ms since the music started, t >= 0) into `frame`,
// over whatever the previous frame left. Returns 1 when it drew, 0 once
// t >= 251,328: the show is over and the frame is left untouched. A negative
// t draws nothing.
int Timeline(FrameBuffer& frame, DemoClock t, const SceneOperations& ops);
int Timeline(FrameBuffer& frame, DemoClock t);

// Draws the scene that plays at t as the score does, without the fades in
// and out of its segment: how tests and benchmarks draw one scene. Nothing
// outside 0 <= t < 251,328.
void DrawScene(FrameBuffer& frame, DemoClock t, const SceneOperations& ops);

// Start-up: builds the tetrahedron meshes the score owns and animates.
// LoadAndPrecompute calls it; it needs the sine tables.
void BuildSceneMeshes();

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
