#pragma once
// Where the score's 3D scenes look, c ms into their segment. The score draws
// with these; tests and benchmarks use them to draw a scene as the show does.
#include <cstdint>

#include "core/demo_clock.h"

namespace vantrelle {

// Angles 4096 per turn; position and camera depth in 16.16.
struct SceneCamera {
  std::int32_t angle1 = 0, angle2 = 0, angle3 = 0;
  std::int32_t x = 0, y = 0, z = 0;
  std::int32_t depth = 0;
};

// The tetrahedron field (segments 8 and 19): turning, the camera breathing.
SceneCamera TetraFieldCamera(DemoClock c);
// The tunnel (segment 17): looking around by up to half a turn either way.
SceneCamera TetraTunnelCamera(DemoClock c);
// The planet sphere (segment 20): flying in from -11.0 toward -3.0.
SceneCamera PlanetSphereCamera(DemoClock c);
// The field under the planet (segment 21).
SceneCamera FieldUnderPlanetCamera(DemoClock c);
// The swarm (segment 22): turns along baked track A (tracks must be baked).
SceneCamera TetraSwarmCamera(DemoClock c);
// The station's flights (0: segment 23 on track B, 1: segment 24 on track C).
SceneCamera StationCamera(int flight, DemoClock c);
// The end scroll's star sky (segment 25): only the angles turn.
SceneCamera EndSkyCamera(DemoClock c);

}  // namespace vantrelle
