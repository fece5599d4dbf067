#include "render3d/build_rotation.h"

#include "core/fix_mul.h"
#include "core/sin_tables.h"
#include "core/wrap.h"

namespace vantrelle {

std::array<std::int32_t, 9> Rotation{65536, 0, 0, 0, 65536, 0, 0, 0, 65536};

void BuildRotation(std::int32_t a, std::int32_t b, std::int32_t c) {
  const std::int32_t sa = Sin(a), ca = Cos(a);
  const std::int32_t sb = Sin(b), cb = Cos(b);
  const std::int32_t sc = Sin(c), cc = Cos(c);
  // The two shared products are rounded once and reused, as the entries
  // below group them.
  const std::int32_t sasb = FixMul(sa, sb);
  const std::int32_t casb = FixMul(ca, sb);
  Rotation[0] = FixMul(cb, cc);
  Rotation[1] = FixMul(cb, sc);
  Rotation[2] = WrapNeg(sb);
  Rotation[3] = WrapSub(FixMul(sasb, cc), FixMul(ca, sc));
  Rotation[4] = WrapAdd(FixMul(ca, cc), FixMul(sasb, sc));
  Rotation[5] = FixMul(cb, sa);
  Rotation[6] = WrapAdd(FixMul(sc, sa), FixMul(casb, cc));
  Rotation[7] = WrapSub(FixMul(casb, sc), FixMul(cc, sa));
  Rotation[8] = FixMul(cb, ca);
}

}  // namespace vantrelle
