#include "render3d/project_points.h"

#include "core/fix_mul.h"
#include "core/wrap.h"

namespace vantrelle {

void ProjectPoints(const std::int32_t* source, std::int32_t* destination, std::int32_t count, std::int32_t cx,
                   std::int32_t cy, std::int32_t cameraDepth) {
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t* p = source + 3 * i;
    std::int32_t* out = destination + 3 * i;
    const std::int32_t dz = WrapSub(p[2], cameraDepth);
    std::int32_t q = dz >> 2;
    if (q == 0) q = 1;                      // points at the eye still get a (huge) position
    const std::int32_t r = 0x40000000 / q;  // about 2^32 / dz
    out[0] = WrapAdd(cx, FixMul(r, p[0]) >> 4);
    out[1] = WrapAdd(cy, FixMul(r, WrapNeg(p[1])) >> 4);
    out[2] = dz;
  }
}

}  // namespace vantrelle
