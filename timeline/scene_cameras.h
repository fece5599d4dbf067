#pragma once
// Where the score's 3D scenes look, c ms into their segment. The score draws
// with these; tests and benchmarks use them to draw a scene as the show does.
#include <cstdint>

#include "core/demo_clock.h"
#include "render3d/camera.h"

namespace vantrelle {

// The tetrahedron field (segments 8 and 19): turning, the camera breathing.
Camera TetraFieldCamera(DemoClock c);
// The tunnel (segment 17): looking around by up to half a turn either way.
Camera TetraTunnelCamera(DemoClock c);
// The planet sphere (segment 20): flying in from -11.0 toward -3.0.
Camera PlanetSphereCamera(DemoClock c);
// The field under the planet (segment 21).
Camera FieldUnderPlanetCamera(DemoClock c);
// The swarm (segment 22): turns along baked track A (tracks must be baked).
Camera TetraSwarmCamera(DemoClock c);
// The station's flights (0: segment 23 on track B, 1: segment 24 on track C).
Camera StationCamera(int flight, DemoClock c);
// The end scroll's star sky (segment 25): only the angles turn.
Camera EndSkyCamera(DemoClock c);

}  // namespace vantrelle
