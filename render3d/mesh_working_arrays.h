#pragma once
// Static working arrays of the mesh pipeline, reused by every call. Points
// are flat x, y, z triples.
#include <array>
#include <cstdint>

#include "assets/mesh.h"

namespace vantrelle {

inline constexpr int kMaxRotatedVertexNormals = 2032;

extern std::array<std::int32_t, kMaxMeshVertices * 3> CameraVertices;  // 16.16
extern std::array<std::int32_t, kMaxMeshVertices * 3> ScreenVertices;  // X, Y x16; Z 16.16
extern std::array<std::int32_t, kMaxMeshVertices> VisibleFaces;
extern std::array<std::int32_t, kMaxMeshVertices> DrawList;            // farthest first
extern std::array<std::int32_t, kMaxRotatedVertexNormals * 3> RotatedVertexNormals;
extern std::array<std::int32_t, kMaxMeshVertices * 3> RotatedFaceNormals;

}  // namespace vantrelle
