#include <cstdint>

#include "render3d/fillers.h"
#include "render3d/scan_triangle.h"

namespace vantrelle {
namespace {

// Attributes u, v, lu, lv (texture, then light map): corners in 1/16 texel,
// running values in 16.16 texels.
struct TexturedLitPolicy {
  static constexpr int kAttributes = 4;
  static constexpr int kStartShift = 12;  // 1/16 texel -> 16.16 texels
  const std::uint8_t* texture;
  const std::uint8_t* lightMap;
  const std::uint16_t* table;

  static EdgeSteps<4> Steps(const ScanCorner<4>& a, const ScanCorner<4>& b) {
    const std::int32_t r = EdgeReciprocal(WrapSub(b.y, a.y));
    EdgeSteps<4> s;
    s.x = ReciprocalStep(a.x, b.x, r);
    for (int i = 0; i < 4; ++i) s.a[i] = ReciprocalStep(a.a[i], b.a[i], r);
    return s;
  }
  // The width at the middle corner's row in whole pixels, and each
  // attribute's change there divided by it.
  static ScanValues<4> UpperGradients(std::int32_t dy, const EdgeSteps<4>& left, const EdgeSteps<4>& right) {
    const std::int32_t w = WrapMul(WrapSub(right.x, left.x), dy) >> 20;
    ScanValues<4> g;
    for (int i = 0; i < 4; ++i) {
      g[i] = w == 0 ? 1 : WrapDiv(WrapMul(WrapSub(right.a[i], left.a[i]), dy), w) >> 4;
    }
    return g;
  }
  static ScanValues<4> FlatTopGradients(const ScanCorner<4>& c0, const ScanCorner<4>& c1, std::int32_t, std::int32_t,
                                        const ScanCorner<4>&, const ScanCorner<4>&) {
    ScanValues<4> g;
    for (int i = 0; i < 4; ++i) g[i] = TopEdgeGradient(c0.a[i], c1.a[i], c0.x, c1.x);
    return g;
  }
  static std::int32_t AtFirstPixel(std::int32_t a, std::int32_t offset, std::int32_t g) {
    return AffineFirstPixel(a, offset, g);
  }
  void DrawSpan(std::uint16_t* row, std::int32_t x, std::int32_t end, const ScanValues<4>& a,
                const ScanValues<4>& g) const {
    std::uint32_t u = static_cast<std::uint32_t>(a[0]);
    std::uint32_t v = static_cast<std::uint32_t>(a[1]);
    std::uint32_t lu = static_cast<std::uint32_t>(a[2]);
    std::uint32_t lv = static_cast<std::uint32_t>(a[3]);
    const std::uint32_t du = static_cast<std::uint32_t>(g[0]);
    const std::uint32_t dv = static_cast<std::uint32_t>(g[1]);
    const std::uint32_t dlu = static_cast<std::uint32_t>(g[2]);
    const std::uint32_t dlv = static_cast<std::uint32_t>(g[3]);
    for (; x < end; ++x) {
      row[x] = table[texture[TexelIndex(u, v)] + 256u * lightMap[TexelIndex(lu, lv)]];
      u += du;
      v += dv;
      lu += dlu;
      lv += dlv;
    }
  }
};

}  // namespace

void FillTexturedLit(FrameBuffer& frame, const LitMaterial& material, const LitTriangle& t) {
  ScanTriangle(frame, TexturedLitPolicy{material.texture, material.lightMap, material.table}, t);
}

}  // namespace vantrelle
