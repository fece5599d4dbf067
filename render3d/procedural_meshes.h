#pragma once
// The meshes built in code at start-up (build_procedural_meshes.h builds
// them), and the light map that mesh mode 4 reads. The mesh file's mesh is
// LoadedMesh (assets/asset_buffers.h).
#include <array>
#include <cstdint>

#include "assets/mesh.h"

namespace vantrelle {

extern const std::array<std::int32_t, kProceduralMeshWords>& SphereMesh;  // 16 x 16 sphere, read-only

// The tetrahedra, the only meshes that change while the show runs: their
// animators (tetrahedra.h) rewrite them before each draw.
extern std::array<std::int32_t, kProceduralMeshWords> TetraField;   // 256 tetrahedra
extern std::array<std::int32_t, kProceduralMeshWords> TetraTunnel;  // 64 rings of four
// The 256 x 256 light map handed to every 3D scene; only mesh mode 4 reads
// it. Quirk: nothing writes it, so it stays all zero, as the show had it.
extern const std::array<std::uint8_t, 65536> LightMap;

}  // namespace vantrelle
