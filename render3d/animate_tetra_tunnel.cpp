#include "render3d/animate_tetra_tunnel.h"

#include "core/sin_tables.h"
#include "core/wrap.h"
#include "render3d/tetrahedra.h"

namespace vantrelle {

void AnimateTetraTunnel(std::int32_t* mesh, std::int32_t t) {
  for (std::int32_t l = 0; l < kTetraCount / 4; ++l) {
    const std::int32_t cz = (WrapSub(16384 * l, WrapMul(153, t)) & 0xFFFFF) - 131072;
    for (std::int32_t n = 0; n < 4; ++n) {
      const std::int32_t angle = WrapAdd(t, 32 * l + 512 * (l & 1) + 1024 * n);
      const std::int32_t a = WrapAdd(t, 924 * l + 231 * n) & 4095;
      SpinTetra(mesh, 4 * l + n, Sin(angle), Cos(angle), cz, a, 3);
    }
  }
}

}  // namespace vantrelle
