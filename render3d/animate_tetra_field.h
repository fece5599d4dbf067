#pragma once
// Moves the 256 tetrahedra of the field for time t.
#include <cstdint>

namespace vantrelle {

// t in ms since the scene started. Each tetrahedron runs along z from -1 to
// +1 unit at 68/65536 units per ms, leaving the axis as it goes, and jumps
// back when its phase wraps; it spins about its centre. Rewrites positions,
// vertex normals and face normals only.
void AnimateTetraField(std::int32_t* mesh, std::int32_t t);

}  // namespace vantrelle
