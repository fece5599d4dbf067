#pragma once
// Moves the 256 tetrahedra as a swarm drifting through the viewer.
#include <cstdint>

namespace vantrelle {

// t in ms since the scene started. The swarm, spread up to one unit about
// the line x = 8, drifts from y = 12, z = 64 toward y = 0, z = -64 over the
// 14,784 ms scene; tetrahedra twice the field's size. Rewrites positions,
// vertex normals and face normals only.
void AnimateTetraSwarm(std::int32_t* mesh, std::int32_t t);

}  // namespace vantrelle
