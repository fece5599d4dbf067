#pragma once
// Builds SkyboxMesh, the 150-vertex, 192-face cube drawn around the viewer:
// each side a 5 x 5 grid of vertices, two faces per square, face f showing
// texture page (f + 1) % 6. Needs nothing loaded; overwrites all of SkyboxMesh.

namespace vantrelle {

void BuildSkyboxCube();

}  // namespace vantrelle
