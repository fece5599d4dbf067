#include "render3d/transform_points.h"

#include "core/fix_mul.h"
#include "core/wrap.h"

namespace vantrelle {

void TransformPoints(const Rotation& rotation, const std::int32_t* source, std::int32_t* destination, std::int32_t tx,
                     std::int32_t ty, std::int32_t tz, std::int32_t count) {
  const Rotation m = rotation;  // a copy: destination may overlap it
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t* p = source + 3 * i;
    std::int32_t* out = destination + 3 * i;
    const std::int32_t dx = WrapSub(p[0], tx);
    const std::int32_t dy = WrapSub(p[1], ty);
    const std::int32_t dz = WrapSub(p[2], tz);
    out[0] = WrapAdd(WrapAdd(FixMul(m[0], dx), FixMul(m[1], dy)), FixMul(m[2], dz));
    out[1] = WrapAdd(WrapAdd(FixMul(m[3], dx), FixMul(m[4], dy)), FixMul(m[5], dz));
    out[2] = WrapAdd(WrapAdd(FixMul(m[6], dx), FixMul(m[7], dy)), FixMul(m[8], dz));
  }
}

}  // namespace vantrelle
