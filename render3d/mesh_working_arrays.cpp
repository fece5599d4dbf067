#include "render3d/mesh_working_arrays.h"

namespace vantrelle {

std::array<std::int32_t, kMaxMeshVertices * 3> CameraVertices{};
std::array<std::int32_t, kMaxMeshVertices * 3> ScreenVertices{};
std::array<std::int32_t, kMaxMeshVertices> VisibleFaces{};
std::array<std::int32_t, kMaxMeshVertices> DrawList{};
std::array<std::int32_t, kMaxRotatedVertexNormals * 3> RotatedVertexNormals{};
std::array<std::int32_t, kMaxMeshVertices * 3> RotatedFaceNormals{};

}  // namespace vantrelle
