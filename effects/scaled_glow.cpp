#include "effects/scaled_glow.h"

#include <array>

#include "core/blend_fields_x8.h"
#include "effects/layer_setup.h"

namespace vantrelle {
namespace {

// The three fields are spread over a 64-bit word far enough apart that one
// multiply weighs them all without a carry crossing from one into the next:
// red stays at bits 11-15, green moves up 24 bits, blue up 48. Each field
// then comes out exactly as (((pixel AND M) x (256 - a) + a x M) >> 8) AND M.
constexpr int kGreenLift = 24;
constexpr int kBlueLift = 48;
constexpr std::uint64_t Spread(std::uint32_t p) {
  return (p & kRedMask) | (std::uint64_t{p & kGreenMask} << kGreenLift) | (std::uint64_t{p & kBlueMask} << kBlueLift);
}
constexpr std::uint64_t kSpreadWhite = Spread(0xFFFF);

inline std::uint16_t BlendTowardWhite(std::uint32_t p, std::uint32_t a) {
  const std::uint64_t x = (Spread(p) * (256 - a) + kSpreadWhite * a) >> 8;
  return static_cast<std::uint16_t>((x & kRedMask) | ((x >> kGreenLift) & kGreenMask) | ((x >> kBlueLift) & kBlueMask));
}

// One row's opacities, gathered so that the blend works on eight pixels per
// step; scratch, rewritten by every row.
struct Scratch {
  std::array<std::uint16_t, kFrameWidth> rowAlpha{};
};
Scratch scratch;

}  // namespace

void DrawScaledGlow(FrameBuffer& frame, const std::uint8_t* alpha, const ScaledLayer& layer) {
  const LayerSpan s = LayerSetup(layer);
  if (!s.visible) return;
  const simd::U16x8 white = simd::Splat(0xFFFF);
  std::uint32_t v = s.vStart;
  for (std::int32_t row = s.firstRow; row < s.endRow; ++row, v += s.dv) {
    const std::uint8_t* texels = alpha + (((v >> 16) & 255u) << 8);
    std::uint16_t* out = frame.data() + row * kFrameWidth;
    std::uint32_t u = s.uStart;
    for (std::int32_t col = s.firstColumn; col < s.endColumn; ++col, u += s.du) {
      scratch.rowAlpha[col] = texels[(u >> 16) & 255u];
    }
    // A clear texel (0) gives the pixel back, so whole vectors blend through it.
    std::int32_t col = s.firstColumn;
    for (; col + simd::kLanes <= s.endColumn; col += simd::kLanes) {
      simd::Store(out + col, BlendFieldsX8(simd::Load(out + col), white, simd::Load(scratch.rowAlpha.data() + col)));
    }
    for (; col < s.endColumn; ++col) {
      if (scratch.rowAlpha[col] != 0) out[col] = BlendTowardWhite(out[col], scratch.rowAlpha[col]);
    }
  }
}

}  // namespace vantrelle
