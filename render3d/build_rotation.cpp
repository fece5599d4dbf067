#include "render3d/build_rotation.h"

#include "core/fix_mul.h"
#include "core/sin_tables.h"
#include "core/wrap.h"

namespace vantrelle {

Rotation BuildRotation(std::int32_t a, std::int32_t b, std::int32_t c) {
  const std::int32_t sa = Sin(a), ca = Cos(a);
  const std::int32_t sb = Sin(b), cb = Cos(b);
  const std::int32_t sc = Sin(c), cc = Cos(c);
  // The two shared products are rounded once and reused, as the entries
  // below group them.
  const std::int32_t sasb = FixMul(sa, sb);
  const std::int32_t casb = FixMul(ca, sb);
  Rotation m;
  m[0] = FixMul(cb, cc);
  m[1] = FixMul(cb, sc);
  m[2] = WrapNeg(sb);
  m[3] = WrapSub(FixMul(sasb, cc), FixMul(ca, sc));
  m[4] = WrapAdd(FixMul(ca, cc), FixMul(sasb, sc));
  m[5] = FixMul(cb, sa);
  m[6] = WrapAdd(FixMul(sc, sa), FixMul(casb, cc));
  m[7] = WrapSub(FixMul(casb, sc), FixMul(cc, sa));
  m[8] = FixMul(cb, ca);
  return m;
}

}  // namespace vantrelle
