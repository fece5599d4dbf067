#pragma once
// Builds SkyboxMesh, the 150-vertex, 192-face cube drawn around the viewer:
// each side a 5 x 5 grid of vertices, two faces per square, face f showing
// texture page (f + 1) % 6. Needs nothing loaded; overwrites all of SkyboxMesh.
#include "render3d/skybox_cube.h"

namespace vantrelle {

void BuildSkyboxCube();

// The writable cube behind skybox_cube.h's const view, for this step.
namespace startup {
extern SkyboxGeometry SkyboxMesh;
}  // namespace startup

}  // namespace vantrelle
