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

// The texel column of each frame column, and one texel row's opacities
// gathered through it so that the blend works on eight pixels per step;
// scratch, rewritten by every call.
struct Scratch {
  std::array<std::uint8_t, kFrameWidth> texelColumns{};
  std::array<std::uint16_t, kFrameWidth> rowAlpha{};
};
Scratch scratch;

// rowAlpha[c] = texels[texelColumns[c]] for c in first..end-1, four a step.
void GatherRow(const std::uint8_t* texels, std::int32_t first, std::int32_t end) {
  const std::uint8_t* columns = scratch.texelColumns.data();
  std::uint16_t* row = scratch.rowAlpha.data();
  std::int32_t c = first;
  for (; c + 4 <= end; c += 4) {
    row[c] = texels[columns[c]];
    row[c + 1] = texels[columns[c + 1]];
    row[c + 2] = texels[columns[c + 2]];
    row[c + 3] = texels[columns[c + 3]];
  }
  for (; c < end; ++c) row[c] = texels[columns[c]];
}

}  // namespace

void DrawScaledGlow(FrameBuffer& frame, const std::uint8_t* alpha, const ScaledLayer& layer) {
  const LayerSpan s = LayerSetup(layer);
  if (!s.visible) return;
  SampleColumns(s, scratch.texelColumns.data());
  const simd::U16x8 white = simd::Splat(0xFFFF);
  std::uint32_t gatheredRow = 256;  // none yet
  std::uint32_t v = s.vStart;
  for (std::int32_t row = s.firstRow; row < s.endRow; ++row, v += s.dv) {
    // A layer drawn larger than its texels shows each texel row on several
    // frame rows in turn; its opacities are gathered once for them.
    const std::uint32_t texelRow = (v >> 16) & 255u;
    if (texelRow != gatheredRow) {
      GatherRow(alpha + (texelRow << 8), s.firstColumn, s.endColumn);
      gatheredRow = texelRow;
    }
    std::uint16_t* out = frame.data() + row * kFrameWidth;
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
