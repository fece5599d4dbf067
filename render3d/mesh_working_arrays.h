#pragma once
// Static working arrays of the mesh pipeline, reused by every call. Points
// are flat x, y, z triples.
#include <array>
#include <cstdint>

#include "assets/mesh.h"

namespace vantrelle {

// One rotated normal per vertex: corners index this array by vertex number,
// so it holds as many entries as a mesh may have vertices.
inline constexpr int kMaxRotatedVertexNormals = kMaxMeshVertices;

extern std::array<std::int32_t, kMaxMeshVertices * 3> CameraVertices;  // 16.16
extern std::array<std::int32_t, kMaxMeshVertices * 3> ScreenVertices;  // X, Y x16; Z 16.16
extern std::array<std::int32_t, kMaxMeshVertices> VisibleFaces;
extern std::array<std::int32_t, kMaxMeshVertices> DrawList;            // farthest first
extern std::array<std::int32_t, kMaxRotatedVertexNormals * 3> RotatedVertexNormals;
extern std::array<std::int32_t, kMaxMeshVertices * 3> RotatedFaceNormals;

}  // namespace vantrelle
