#pragma once
// The meshes built in code at start-up and animated each frame, and the
// environment map of render mode 4.
#include <array>
#include <cstdint>

#include "assets/mesh.h"

namespace vantrelle {

extern std::array<std::int32_t, kProceduralMeshWords> TetraField;   // 256 tetrahedra
extern std::array<std::int32_t, kProceduralMeshWords> TetraTunnel;  // 64 rings of four
extern std::array<std::int32_t, kProceduralMeshWords> SphereMesh;   // 16 x 16 sphere
// 256 x 256 light map; nothing writes it, so it stays all zero.
extern std::array<std::uint8_t, 65536> EnvMap;

}  // namespace vantrelle
