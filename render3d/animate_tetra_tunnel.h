#pragma once
// Moves the 64 rings of the tetrahedron tunnel toward the viewer.
#include <cstdint>

namespace vantrelle {

// t in ms since the scene started. Rings 1/4 unit apart in a 16-unit range
// (z from -2 to +14) approach at 153/65536 units per ms and re-enter at the
// far end; each ring of four turns on the unit circle, odd rings 1/8 turn
// ahead. Rewrites positions, vertex normals and face normals only.
void AnimateTetraTunnel(std::int32_t* mesh, std::int32_t t);

}  // namespace vantrelle
