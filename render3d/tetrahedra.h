#pragma once
// The two tetrahedron meshes and what moves them: 256 tetrahedra, tetrahedron
// k owning vertices, vertex normals, faces and face normals 4k .. 4k + 3.
// Builders fill a whole record once at start-up (V = N = F = G = 1024, no
// texture coordinates); animators take t in ms since the scene started and
// rewrite positions, vertex normals and face normals only.
#include <cstdint>

namespace vantrelle {

inline constexpr int kTetraCount = 256;

// The field: the tetrahedra scattered by sines within +-1/2 unit across and
// +-2 units deep.
void BuildTetraField(std::int32_t* mesh);

// The tunnel of 64 rings of four: ring g's four tetrahedra on the unit circle
// at depth 1 + g/4 units. AnimateTetraTunnel replaces the positions before
// the first frame.
void BuildTetraTunnel(std::int32_t* mesh);

// The field's motion: each tetrahedron runs along z from -1 to +1 unit at
// 68/65536 units per ms, leaving the axis as it goes, and jumps back when its
// phase wraps; it spins about its centre.
void AnimateTetraField(std::int32_t* mesh, std::int32_t t);

// The field as a swarm drifting through the viewer: spread up to one unit
// about the line x = 8, it drifts from y = 12, z = 64 toward y = 0, z = -64
// over the 14,784 ms scene; tetrahedra twice the field's size.
void AnimateTetraSwarm(std::int32_t* mesh, std::int32_t t);

// The tunnel's motion: rings 1/4 unit apart in a 16-unit range (z from -2 to
// +14) approach at 153/65536 units per ms and re-enter at the far end; each
// ring of four turns on the unit circle, odd rings 1/8 turn ahead.
void AnimateTetraTunnel(std::int32_t* mesh, std::int32_t t);

}  // namespace vantrelle
