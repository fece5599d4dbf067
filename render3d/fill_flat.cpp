#include <algorithm>
#include <cstdint>

#include "render3d/fillers.h"
#include "render3d/scan_triangle.h"

namespace vantrelle {
namespace {

struct FlatPolicy {
  static constexpr int kAttributes = 0;
  static constexpr int kStartShift = 0;
  std::uint16_t colour;

  // A direct division per edge, ((Xb - Xa) << 16) / dY, in 64 bits so that
  // corners thousands of pixels apart do not wrap; the low 32 bits are kept.
  static EdgeSteps<0> Steps(const ScanCorner<0>& a, const ScanCorner<0>& b) {
    const std::int64_t dy = std::int64_t{b.y} - a.y;
    if (dy == 0) return {0, {}};
    return {Low32((std::int64_t{b.x} - a.x) * 65536 / dy), {}};
  }
  static ScanValues<0> UpperGradients(std::int32_t, const EdgeSteps<0>&, const EdgeSteps<0>&) { return {}; }
  static ScanValues<0> FlatTopGradients(const ScanCorner<0>&, const ScanCorner<0>&, std::int32_t, std::int32_t,
                                        const ScanCorner<0>&, const ScanCorner<0>&) {
    return {};
  }
  static std::int32_t AtFirstPixel(std::int32_t a, std::int32_t, std::int32_t) { return a; }
  void DrawSpan(std::uint16_t* row, std::int32_t x, std::int32_t end, const ScanValues<0>&,
                const ScanValues<0>&) const {
    std::fill(row + x, row + end, colour);
  }
};

}  // namespace

void FillFlat(FrameBuffer& frame, std::uint16_t colour, const FlatTriangle& t) {
  ScanTriangle(frame, FlatPolicy{colour}, t);
}

}  // namespace vantrelle
