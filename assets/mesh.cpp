#include "assets/mesh.h"

namespace vantrelle {

std::array<std::int32_t, kLoadedMeshWords> LoadedMesh{};

}  // namespace vantrelle
