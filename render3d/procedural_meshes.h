#pragma once
// The mesh built in code at start-up and the light map that mesh mode 4
// reads. SphereMesh is only read once built (build_procedural_meshes.h writes
// it). The tetrahedron meshes the score animates are the timeline's own.
#include <array>
#include <cstdint>

#include "assets/mesh.h"

namespace vantrelle {

extern const std::array<std::int32_t, kProceduralMeshWords>& SphereMesh;  // 16 x 16 sphere
// The 256 x 256 light map handed to every 3D scene; only mesh mode 4 reads
// it. Quirk: nothing writes it, so it stays all zero, as the show had it.
extern const std::array<std::uint8_t, 65536> LightMap;

}  // namespace vantrelle
