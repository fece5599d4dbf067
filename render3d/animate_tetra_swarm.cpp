#include "render3d/animate_tetra_swarm.h"

#include "core/demo_clock.h"
#include "core/sin_tables.h"
#include "core/wrap.h"
#include "render3d/tetrahedra.h"

namespace vantrelle {

void AnimateTetraSwarm(std::int32_t* mesh, std::int32_t t) {
  // The drift is paced in beats: 3/16 unit of y and 4 units of z per beat
  // (each as a doubled or 64-fold quotient, truncated as the show has it).
  const std::int32_t driftY = WrapMul(2, WrapMul(12288, t) / kBeatMs);
  const std::int32_t driftZ = WrapMul(64, WrapMul(4096, t) / kBeatMs);
  for (std::int32_t k = 0; k < kTetraCount; ++k) {
    const std::int32_t h = WrapAdd(WrapMul(68, t), Sin(346 * k)) & 0x1FFFF;
    const std::int32_t m = Sin(h >> 7);
    const std::int32_t cx = WrapAdd(WrapMul(m, Sin(WrapAdd(t, 149 * k)) >> 1) >> 15, 524288);
    const std::int32_t cy = WrapAdd(WrapSub(786432, driftY), WrapMul(m, Cos(WrapAdd(t, 197 * k)) >> 1) >> 15);
    const std::int32_t cz = WrapSub(WrapAdd(2 * h, 4063232), driftZ);
    SpinTetra(mesh, k, cx, cy, cz, WrapAdd(t, 131 * k) & 4095, 3);
  }
}

}  // namespace vantrelle
