#include <cstdint>

#include "render3d/fillers.h"
#include "render3d/scan_triangle.h"
#include "render3d/texel_run.h"

namespace vantrelle {
namespace {

// Attributes u, v: corners in 1/16 texel, running values in 16.16 texels.
struct TexturedPolicy {
  static constexpr int kAttributes = 2;
  static constexpr int kStartShift = 12;  // 1/16 texel -> 16.16 texels
  const std::uint16_t* texture;

  static EdgeSteps<2> Steps(const ScanCorner<2>& a, const ScanCorner<2>& b) {
    const std::int32_t r = EdgeReciprocal(WrapSub(b.y, a.y));
    return {ReciprocalStep(a.x, b.x, r), {ReciprocalStep(a.a[0], b.a[0], r), ReciprocalStep(a.a[1], b.a[1], r)}};
  }

  // Across the triangle at the middle corner's row: the width W and the
  // attribute change there, both over the upper part's height D (16.16 pixels).
  static ScanValues<2> UpperGradients(std::int32_t dy, const EdgeSteps<2>& left, const EdgeSteps<2>& right) {
    const std::int32_t d = WrapShl(dy, 12);
    const std::int32_t w = WrapSub(FixMul(d, right.x), FixMul(d, left.x));
    const std::int32_t k = (w >> 2) == 0 ? 1 : 0x40000000 / (w >> 2);  // about 2^32 / W
    ScanValues<2> g;
    for (int i = 0; i < 2; ++i) g[i] = FixMul(WrapSub(FixMul(d, right.a[i]), FixMul(d, left.a[i])), k);
    return g;
  }
  static ScanValues<2> FlatTopGradients(const ScanCorner<2>& c0, const ScanCorner<2>& c1, std::int32_t, std::int32_t,
                                        const ScanCorner<2>&, const ScanCorner<2>&) {
    return {TopEdgeGradient(c0.a[0], c1.a[0], c0.x, c1.x), TopEdgeGradient(c0.a[1], c1.a[1], c0.x, c1.x)};
  }
  static std::int32_t AtFirstPixel(std::int32_t a, std::int32_t offset, std::int32_t g) {
    return AffineFirstPixel(a, offset, g);
  }
  void DrawSpan(std::uint16_t* row, std::int32_t x, std::int32_t end, const ScanValues<2>& a,
                const ScanValues<2>& g) const {
    std::uint32_t u = static_cast<std::uint32_t>(a[0]);
    std::uint32_t v = static_cast<std::uint32_t>(a[1]);
    const std::uint32_t du = static_cast<std::uint32_t>(g[0]);
    const std::uint32_t dv = static_cast<std::uint32_t>(g[1]);
    // Whole vectors straight into the row, then the last few pixels.
    const std::int32_t vectors = (end - x) & ~(simd::kLanes - 1);
    if (vectors > 0) {
      DrawTexelVectors(row + x, vectors, texture, u, v, du, dv);
      x += vectors;
      u += static_cast<std::uint32_t>(vectors) * du;
      v += static_cast<std::uint32_t>(vectors) * dv;
    }
    for (; x < end; ++x) {
      row[x] = texture[TexelIndex(u, v)];
      u += du;
      v += dv;
    }
  }
};

}  // namespace

void FillTextured(FrameBuffer& frame, const std::uint16_t* texture, const TexturedTriangle& t) {
  ScanTriangle(frame, TexturedPolicy{texture}, t);
}

}  // namespace vantrelle
