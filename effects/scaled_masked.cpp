#include "effects/scaled_masked.h"

#include <array>

#include "core/simd.h"
#include "effects/layer_setup.h"

namespace vantrelle {
namespace {

// The texel column of each frame column, and one texel row's masks and
// colours gathered through it so that the rows combine eight pixels per step;
// scratch, rewritten by every call.
struct Scratch {
  std::array<std::uint8_t, kFrameWidth> texelColumns{};
  std::array<std::uint16_t, kFrameWidth> rowMask{};
  std::array<std::uint16_t, kFrameWidth> rowColours{};
};
Scratch scratch;

// Gathers one texel row (256 texels from mask and colours) for columns
// first..end-1, two a step.
void GatherRow(const std::uint16_t* colours, const std::uint16_t* mask, std::int32_t first, std::int32_t end) {
  const std::uint8_t* columns = scratch.texelColumns.data();
  std::int32_t c = first;
  for (; c + 2 <= end; c += 2) {
    const std::uint32_t i = columns[c];
    const std::uint32_t j = columns[c + 1];
    scratch.rowMask[c] = mask[i];
    scratch.rowColours[c] = colours[i];
    scratch.rowMask[c + 1] = mask[j];
    scratch.rowColours[c + 1] = colours[j];
  }
  for (; c < end; ++c) {
    scratch.rowMask[c] = mask[columns[c]];
    scratch.rowColours[c] = colours[columns[c]];
  }
}

}  // namespace

void DrawScaledMasked(FrameBuffer& frame, const std::uint16_t* colours, const std::uint16_t* mask,
                      const ScaledLayer& layer) {
  const LayerSpan s = LayerSetup(layer);
  if (!s.visible) return;
  SampleColumns(s, scratch.texelColumns.data());
  const std::uint16_t* rowMask = scratch.rowMask.data();
  const std::uint16_t* rowColours = scratch.rowColours.data();
  std::uint32_t gatheredRow = 256;  // none yet
  std::uint32_t v = s.vStart;
  for (std::int32_t row = s.firstRow; row < s.endRow; ++row, v += s.dv) {
    // A layer drawn larger than its texels shows each texel row on several
    // frame rows in turn; it is gathered once for them.
    const std::uint32_t texelRow = (v >> 16) & 255u;
    if (texelRow != gatheredRow) {
      GatherRow(colours + (texelRow << 8), mask + (texelRow << 8), s.firstColumn, s.endColumn);
      gatheredRow = texelRow;
    }
    std::uint16_t* out = frame.data() + row * kFrameWidth;
    std::int32_t col = s.firstColumn;
    for (; col + simd::kLanes <= s.endColumn; col += simd::kLanes) {
      const simd::U16x8 kept = simd::And(simd::Load(rowMask + col), simd::Load(out + col));
      simd::Store(out + col, simd::Or(kept, simd::Load(rowColours + col)));
    }
    for (; col < s.endColumn; ++col) {
      out[col] = static_cast<std::uint16_t>((rowMask[col] & out[col]) | rowColours[col]);
    }
  }
}

}  // namespace vantrelle
