#include <cstdint>

#include "render3d/fillers.h"
#include "render3d/scan_triangle.h"

namespace vantrelle {
namespace {

// One attribute, the shade: corners in whole shade units, running value 16.16.
struct GouraudPolicy {
  static constexpr int kAttributes = 1;
  static constexpr int kStartShift = 16;  // shade -> 16.16
  const std::uint16_t* table;

  // The shade is in whole units, so its step is (sb - sa) * r without the >> 4.
  static EdgeSteps<1> Steps(const ScanCorner<1>& a, const ScanCorner<1>& b) {
    const std::int32_t r = EdgeReciprocal(WrapSub(b.y, a.y));
    return {ReciprocalStep(a.x, b.x, r), {WrapMul(WrapSub(b.a[0], a.a[0]), r)}};
  }
  static ScanValues<1> UpperGradients(std::int32_t dy, const EdgeSteps<1>& left, const EdgeSteps<1>& right) {
    const std::int32_t d = WrapShl(dy, 12);  // the upper part's height, 16.16 pixels
    const std::int32_t w = FixMul(d, WrapSub(right.x, left.x));
    const std::int32_t k = (w >> 2) == 0 ? 1 : 0x40000000 / (w >> 2);  // about 2^32 / W
    return {FixMul(FixMul(d, WrapSub(right.a[0], left.a[0])), k)};
  }
  static ScanValues<1> FlatTopGradients(const ScanCorner<1>& c0, const ScanCorner<1>& c1, std::int32_t, std::int32_t,
                                        const ScanCorner<1>&, const ScanCorner<1>&) {
    const std::int32_t dx = WrapSub(c1.x, c0.x);
    if (dx == 0) return {1};
    return {WrapMul(WrapSub(c1.a[0], c0.a[0]), 0x100000 / dx)};
  }
  static std::int32_t AtFirstPixel(std::int32_t a, std::int32_t offset, std::int32_t g) {
    return AffineFirstPixel(a, offset, g);
  }
  void DrawSpan(std::uint16_t* row, std::int32_t x, std::int32_t end, const ScanValues<1>& a,
                const ScanValues<1>& g) const {
    std::uint32_t s = static_cast<std::uint32_t>(a[0]);
    const std::uint32_t ds = static_cast<std::uint32_t>(g[0]);
    for (; x < end; ++x) {
      row[x] = table[(s >> 16) & 255u];
      s += ds;
    }
  }
};

}  // namespace

void FillGouraud(FrameBuffer& frame, const std::uint16_t* table, const ShadedTriangle& t) {
  ScanTriangle(frame, GouraudPolicy{table}, t);
}

}  // namespace vantrelle
