#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "render3d/fillers.h"
#include "render3d/perspective_span.h"
#include "render3d/scan_triangle.h"
#include "render3d/texel_run.h"

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

void DrawPerspectiveSpan(std::uint16_t* row, std::int32_t x, std::int32_t end, const std::uint16_t* texture,
                         const ScanValues<3>& at, const ScanValues<3>& step) {
  const std::int32_t count = end - x;
  if (count <= 0) return;
  // The exact positions at every run's ends first: the divisions then
  // overlap instead of each run waiting for its own.
  const std::int32_t runs = (count + kRun - 1) / kRun;
  std::array<std::int32_t, kMaxRuns + 1> us;
  std::array<std::int32_t, kMaxRuns + 1> vs;
  std::int32_t up = at[0];
  std::int32_t vp = at[1];
  std::int32_t q = at[2];
  const std::int32_t runU = WrapMul(kRun, step[0]);
  const std::int32_t runV = WrapMul(kRun, step[1]);
  const std::int32_t runQ = WrapMul(kRun, step[2]);
  for (std::int32_t i = 0; i <= runs; ++i) {
    const std::int32_t z = Reciprocal40(q);
    us[static_cast<std::size_t>(i)] = FixMul(up, z);
    vs[static_cast<std::size_t>(i)] = FixMul(vp, z);
    up = WrapAdd(up, runU);
    vp = WrapAdd(vp, runV);
    q = WrapAdd(q, runQ);
  }
  // Whole vectors into a buffer, then the span's own pixels into the row.
  std::array<std::uint16_t, kMaxRuns * kRun> pixels;
  for (std::int32_t i = 0; i < runs; ++i) {
    const auto r = static_cast<std::size_t>(i);
    const std::uint32_t du = static_cast<std::uint32_t>(WrapSub(us[r + 1], us[r]) >> 4);
    const std::uint32_t dv = static_cast<std::uint32_t>(WrapSub(vs[r + 1], vs[r]) >> 4);
    DrawTexelVectors(pixels.data() + kRun * i, std::min(kRun, count - kRun * i), texture,
                     static_cast<std::uint32_t>(us[r]), static_cast<std::uint32_t>(vs[r]), du, dv);
  }
  std::copy_n(pixels.data(), count, row + x);
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
