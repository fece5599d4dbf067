#include "render3d/build_tetra_tunnel.h"

#include "core/sin_tables.h"
#include "render3d/tetrahedra.h"

namespace vantrelle {

void BuildTetraTunnel(std::int32_t* mesh) {
  WriteTetraTopology(mesh);
  constexpr std::int32_t kRingOffsets[4] = {0, 1024, 2048, -1024};  // quarter turns apart
  for (std::int32_t g = 0; g < kTetraCount / 4; ++g) {
    const std::int32_t c = 32 * g;
    const std::int32_t z = 65536 + 16384 * g;
    for (std::int32_t n = 0; n < 4; ++n) {
      const std::int32_t angle = c + kRingOffsets[n];
      PlaceRestingTetra(mesh, 4 * g + n, Sin(angle), Cos(angle), z);
    }
  }
}

}  // namespace vantrelle
