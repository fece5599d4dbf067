#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "core/simd.h"
#include "render3d/fillers.h"
#include "render3d/perspective_span.h"
#include "render3d/scan_triangle.h"

namespace vantrelle {

// In double precision: the quotient is never within one rounding of a whole
// number, so truncating it gives the exact integer quotient. Out-of-range
// results hold at the 32-bit limits; a zero value, which a visible triangle
// never produces, counts as the largest.
std::int32_t Reciprocal40(std::int32_t value) {
  if (value == 0) return std::numeric_limits<std::int32_t>::max();
  const double r = 1099511627776.0 / static_cast<double>(value);  // 2^40
  if (r >= 2147483648.0) return std::numeric_limits<std::int32_t>::max();
  if (r <= -2147483649.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(r);  // truncates toward zero
}

namespace {

constexpr std::int32_t kRun = 16;                                   // pixels per reciprocal
constexpr std::int32_t kMaxRuns = (kFrameWidth + kRun - 1) / kRun;  // a span is clipped to the frame

// Attributes u' = u/z, v' = v/z and q = 1/z (scaled), which vary linearly on
// the screen; the corners carry them already in their running scale.
struct PerspectivePolicy {
  static constexpr int kAttributes = 3;
  static constexpr int kStartShift = 0;
  const std::uint16_t* texture;

  // The values are large, so their steps are FixMul(difference, r).
  static EdgeSteps<3> Steps(const ScanCorner<3>& a, const ScanCorner<3>& b) {
    const std::int32_t r = EdgeReciprocal(WrapSub(b.y, a.y));
    EdgeSteps<3> s;
    s.x = ReciprocalStep(a.x, b.x, r);
    for (int i = 0; i < 3; ++i) s.a[i] = FixMul(WrapSub(b.a[i], a.a[i]), r);
    return s;
  }
  static ScanValues<3> UpperGradients(std::int32_t dy, const EdgeSteps<3>& left, const EdgeSteps<3>& right) {
    const std::int32_t w = WrapMul(WrapSub(right.x, left.x), dy) >> 6;
    const std::int32_t k = w == 0 ? 1 : 0x40000000 / w;
    ScanValues<3> g;
    for (int i = 0; i < 3; ++i) g[i] = FixMul(WrapMul(WrapSub(right.a[i], left.a[i]), dy) >> 4, k);
    return g;
  }
  // Corners 0 and 1 in one row band: the width between the two fresh edges
  // on their first row, and the change from the left corner to the right one.
  static ScanValues<3> FlatTopGradients(const ScanCorner<3>&, const ScanCorner<3>&, std::int32_t xl, std::int32_t xr,
                                        const ScanCorner<3>& cl, const ScanCorner<3>& cr) {
    const std::int32_t w = WrapSub(xr, xl) >> 2;
    const std::int32_t k = w == 0 ? 1 : 0x40000000 / w;
    ScanValues<3> g;
    for (int i = 0; i < 3; ++i) g[i] = FixMul(WrapSub(cr.a[i], cl.a[i]), k);
    return g;
  }
  static std::int32_t AtFirstPixel(std::int32_t a, std::int32_t offset, std::int32_t g) {
    return WrapAdd(a, FixMul(offset, g));
  }
  void DrawSpan(std::uint16_t* row, std::int32_t x, std::int32_t end, const ScanValues<3>& a,
                const ScanValues<3>& g) const {
    DrawPerspectiveSpan(row, x, end, texture, a, g);
  }
};

}  // namespace

namespace {

// out[0 .. count - 1] from u, v stepping by du, dv (16.16 texels): four
// texel positions at a time in 32-bit lanes, where only the look-ups and
// stores go one by one, then the last few pixels alone. The texel column is
// bits 16..23 of u: kept 8 bits higher, it is the sum's top byte.
void DrawRun(std::uint16_t* out, std::int32_t count, const std::uint16_t* texture, std::uint32_t u, std::uint32_t v,
             std::uint32_t du, std::uint32_t dv) {
  std::int32_t k = 0;
  if (count >= 4) {
    simd::U32x4 uTop = simd::Ramp32(u << 8, du << 8);
    simd::U32x4 vs = simd::Ramp32(v, dv);
    const simd::U32x4 duTop4 = simd::Splat32(du << 10);  // 4 × du, 8 bits higher
    const simd::U32x4 dv4 = simd::Splat32(dv << 2);
    const simd::U32x4 rowBits = simd::Splat32(0xFF00u);
    for (; k + 4 <= count; k += 4) {
      const simd::U32x4 index = simd::Or(simd::And(simd::ShiftRight<8>(vs), rowBits), simd::ShiftRight<24>(uTop));
      out[k] = texture[simd::Lane16<0>(index)];
      out[k + 1] = texture[simd::Lane16<1>(index)];
      out[k + 2] = texture[simd::Lane16<2>(index)];
      out[k + 3] = texture[simd::Lane16<3>(index)];
      uTop = simd::Add(uTop, duTop4);
      vs = simd::Add(vs, dv4);
    }
    u += static_cast<std::uint32_t>(k) * du;
    v += static_cast<std::uint32_t>(k) * dv;
  }
  for (; k < count; ++k) {
    out[k] = texture[TexelIndex(u, v)];
    u += du;
    v += dv;
  }
}

}  // namespace

void DrawPerspectiveSpan(std::uint16_t* row, std::int32_t x, std::int32_t end, const std::uint16_t* texture,
                         const ScanValues<3>& at, const ScanValues<3>& step) {
  std::int32_t up = at[0];
  std::int32_t vp = at[1];
  const std::int32_t runU = WrapMul(kRun, step[0]);
  const std::int32_t runV = WrapMul(kRun, step[1]);
  // The depths at every run's ends first: the divisions then overlap
  // instead of each run waiting for its own.
  std::array<std::int32_t, kMaxRuns + 1> depths;
  const std::int32_t runs = (end - x + kRun - 1) / kRun;
  std::int32_t q = at[2];
  const std::int32_t runQ = WrapMul(kRun, step[2]);
  for (std::int32_t i = 0; i <= runs; ++i) {
    depths[static_cast<std::size_t>(i)] = Reciprocal40(q);
    q = WrapAdd(q, runQ);
  }
  const std::int32_t* z = depths.data();
  std::int32_t u = FixMul(up, *z);  // 16.16 texels
  std::int32_t v = FixMul(vp, *z);
  for (; x < end; x += kRun) {
    up = WrapAdd(up, runU);
    vp = WrapAdd(vp, runV);
    ++z;
    const std::int32_t ue = FixMul(up, *z);
    const std::int32_t ve = FixMul(vp, *z);
    DrawRun(row + x, std::min(kRun, end - x), texture, static_cast<std::uint32_t>(u), static_cast<std::uint32_t>(v),
            static_cast<std::uint32_t>(WrapSub(ue, u) >> 4), static_cast<std::uint32_t>(WrapSub(ve, v) >> 4));
    u = ue;
    v = ve;
  }
}

namespace {

// A corner {x, y, {z, u, v}} as the policy walks it: u/z, v/z and 1/z.
ScanCorner<3> PerspectiveCorner(const ScanCorner<3>& c) {
  const std::int32_t q = Reciprocal40(c.a[0]);
  return {c.x, c.y, {FixMul(q, WrapMul(c.a[1], 16)), FixMul(q, WrapMul(c.a[2], 16)), q}};
}

}  // namespace

void FillPerspective(FrameBuffer& frame, const std::uint16_t* texture, const PerspectiveTriangle& t) {
  ScanTriangle(frame, PerspectivePolicy{texture},
               {{PerspectiveCorner(t[0]), PerspectiveCorner(t[1]), PerspectiveCorner(t[2])}});
}

}  // namespace vantrelle
