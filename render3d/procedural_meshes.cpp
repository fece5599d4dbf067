#include "render3d/procedural_meshes.h"

#include "render3d/build_procedural_meshes.h"

namespace vantrelle {

std::array<std::int32_t, kProceduralMeshWords> startup::SphereMesh{};
const std::array<std::int32_t, kProceduralMeshWords>& SphereMesh = startup::SphereMesh;
std::array<std::int32_t, kProceduralMeshWords> TetraField{};
std::array<std::int32_t, kProceduralMeshWords> TetraTunnel{};
const std::array<std::uint8_t, 65536> LightMap{};

}  // namespace vantrelle
