#pragma once
// Pieces shared by the two tetrahedron meshes (TetraField, TetraTunnel):
// 256 tetrahedra, tetrahedron k owning vertices, vertex normals, faces and
// face normals 4k .. 4k + 3.
#include <array>
#include <cstdint>

namespace vantrelle {

inline constexpr int kTetraCount = 256;
inline constexpr int kTetraVertices = 4 * kTetraCount;  // also faces and both normal counts

// Unit directions (16.16) from the centre to the four corners, and of the
// four faces; spun by the animators.
extern const std::array<std::int32_t, 12> TetraCornerDirs;
extern const std::array<std::int32_t, 12> TetraFaceDirs;

// Writes the header, drawOrder and corners of a 256-tetrahedron record.
void WriteTetraTopology(std::int32_t* mesh);

// Places tetrahedron k at rest around centre (cx, cy, cz) (16.16), corners
// 1/16 unit out, with the resting normals.
void PlaceRestingTetra(std::int32_t* mesh, std::int32_t k, std::int32_t cx, std::int32_t cy, std::int32_t cz);

// Spins tetrahedron k by BuildRotation(a, a, a) about centre (cx, cy, cz):
// corners at the rotated corner directions >> shift (4: 1/16 unit, 3: 1/8),
// vertex normals the rotated corner directions, face normals the negated
// rotated face directions in the order 3, 1, 2, 0.
void SpinTetra(std::int32_t* mesh, std::int32_t k, std::int32_t cx, std::int32_t cy, std::int32_t cz, std::int32_t a,
               int shift);

}  // namespace vantrelle
