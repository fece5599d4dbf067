#include "render3d/procedural_meshes.h"

namespace vantrelle {

std::array<std::int32_t, kProceduralMeshWords> TetraField{};
std::array<std::int32_t, kProceduralMeshWords> TetraTunnel{};
std::array<std::int32_t, kProceduralMeshWords> SphereMesh{};
std::array<std::uint8_t, 65536> EnvMap{};

}  // namespace vantrelle
