#pragma once
// Start-up step: builds SphereMesh, TetraField and TetraTunnel.
#include <array>
#include <cstdint>

#include "render3d/procedural_meshes.h"

namespace vantrelle {

void BuildProceduralMeshes();

// The writable sphere behind procedural_meshes.h's const view, for this step.
namespace startup {
extern std::array<std::int32_t, kProceduralMeshWords> SphereMesh;
}  // namespace startup

}  // namespace vantrelle
