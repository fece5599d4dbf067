#include "render3d/animate_tetra_field.h"

#include "core/sin_tables.h"
#include "core/wrap.h"
#include "render3d/tetrahedra.h"

namespace vantrelle {

void AnimateTetraField(std::int32_t* mesh, std::int32_t t) {
  for (std::int32_t k = 0; k < kTetraCount; ++k) {
    // h: phase along the run, 0..131071; m rises from 0 toward 1 with it.
    const std::int32_t h = WrapAdd(WrapMul(68, t), Sin(346 * k)) & 0x1FFFF;
    const std::int32_t m = Sin(h >> 7);
    const std::int32_t cx = WrapMul(m, Sin(WrapAdd(t, 149 * k)) >> 1) >> 16;
    const std::int32_t cy = WrapMul(m, Cos(WrapAdd(t, 197 * k)) >> 1) >> 16;
    const std::int32_t cz = h - 65536;
    SpinTetra(mesh, k, cx, cy, cz, WrapAdd(t, 131 * k) & 4095, 4);
  }
}

}  // namespace vantrelle
