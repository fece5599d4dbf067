#include "assets/mesh.h"

#include "assets/asset_buffers_startup.h"

namespace vantrelle {

std::array<std::int32_t, kLoadedMeshWords> startup::LoadedMesh{};
const std::array<std::int32_t, kLoadedMeshWords>& LoadedMesh = startup::LoadedMesh;

}  // namespace vantrelle
