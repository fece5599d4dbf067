#include "effects/light_rays.h"

#include "assets/effect_tables.h"

namespace vantrelle {

std::array<std::int32_t, kFramePixels> RayBuffer{};

namespace {

constexpr std::int32_t kTableSpan = 256;  // the source tables cover distances 0..255
constexpr std::int32_t kLowestCentreColumn = kFrameWidth - kTableSpan;  // 144

constexpr std::uint32_t Light(std::int32_t cell) { return static_cast<std::uint32_t>(cell); }

// Spreads light outward over one quadrant of the buffer, in place. The rows
// move away from the centre row and, within a row, the cells away from the
// centre column, so every cell a source point touches (nearer the centre) is
// already final. sx, sy are the quadrant's signs; rows dy0..dyEnd-1 and
// columns dx0..dxEnd-1 are distances from the centre.
template <std::int32_t sx, std::int32_t sy>
void SweepQuadrant(std::int32_t* light, std::int32_t cx, std::int32_t cy, std::int32_t dy0, std::int32_t dyEnd,
                   std::int32_t dx0, std::int32_t dxEnd) {
  const std::int32_t* sourceX = RaySourceX.data();
  const std::int32_t* sourceY = RaySourceY.data();
  const std::int32_t rowStep = sy * kFrameWidth;
  std::int32_t* centre = light + cy * kFrameWidth + cx;
  for (std::int32_t dy = dy0; dy < dyEnd; ++dy) {
    std::int32_t* cellRow = centre + dy * rowStep;
    const std::int32_t* rowX = sourceX + dy * kTableSpan;
    const std::int32_t* rowY = sourceY + dy * kTableSpan;
    for (std::int32_t dx = dx0; dx < dxEnd; ++dx) {
      const std::int32_t X = rowX[dx];  // 8.8, never negative
      const std::int32_t Y = rowY[dx];
      const std::uint32_t fx = static_cast<std::uint32_t>(X) & 255u;
      const std::uint32_t fy = static_cast<std::uint32_t>(Y) & 255u;
      const std::int32_t nearColumn = sx * (X >> 8);
      const std::int32_t farColumn = sx * ((X + 255) >> 8);
      const std::int32_t* nearRow = centre + (Y >> 8) * rowStep;
      const std::int32_t* farRow = centre + ((Y + 255) >> 8) * rowStep;
      // Each weight is truncated on its own, so together they may fall short of
      // 256. Light is never negative and stays below 2^23, so the sum fits.
      const std::uint32_t sum = Light(nearRow[nearColumn]) * (((256 - fx) * (256 - fy)) >> 8) +
                                Light(farRow[nearColumn]) * (((256 - fx) * fy) >> 8) +
                                Light(nearRow[farColumn]) * ((fx * (256 - fy)) >> 8) +
                                Light(farRow[farColumn]) * ((fx * fy) >> 8);
      std::int32_t& cell = cellRow[sx * dx];
      cell = static_cast<std::int32_t>(sum >> 8) + (cell >> 3);
    }
  }
}

}  // namespace

// mode is always 1, full resolution: the only mode the show draws with.
void DrawLightRays(FrameBuffer& frame, std::int32_t centreColumn, std::int32_t centreRow,
                   [[maybe_unused]] std::int32_t mode, std::int32_t threshold) {
  const std::int32_t cx = centreColumn;
  const std::int32_t cy = centreRow;
  // Outside this range some pixel would lie beyond the source tables.
  if (cx < kLowestCentreColumn || cx >= kTableSpan || cy < 0 || cy >= kFrameHeight) return;

  // Seeds: brightness x 256 where the pixel is strictly brighter than the threshold.
  std::int32_t* light = RayBuffer.data();
  bool anySeed = false;
  for (std::int32_t i = 0; i < kFramePixels; ++i) {
    const std::int32_t b = BrightnessTable[frame[i]];
    const bool seeded = b > threshold;
    light[i] = seeded ? b << 8 : 0;
    anySeed |= seeded;
  }
  // Without a seed no light spreads and the output adds nothing.
  if (!anySeed) return;

  // The centre row and column belong to the first sweep; the others start one
  // cell away from them. The order matters: later sweeps read the centre row
  // and column as the first one left them.
  SweepQuadrant<+1, +1>(light, cx, cy, 0, kFrameHeight - cy, 0, kFrameWidth - cx);
  SweepQuadrant<-1, +1>(light, cx, cy, 0, kFrameHeight - cy, 1, cx + 1);
  SweepQuadrant<+1, -1>(light, cx, cy, 1, cy + 1, 0, kFrameWidth - cx);
  SweepQuadrant<-1, -1>(light, cx, cy, 1, cy + 1, 1, cx + 1);

  const std::int32_t* saturate = SaturateTable.data();
  for (std::int32_t i = 0; i < kFramePixels; ++i) {
    std::int32_t add = light[i] >> 8;
    add = add < 255 ? add : 255;
    const std::int32_t p = frame[i];
    // Fields widened to 8 bits by repeating their top bits.
    const std::int32_t r = saturate[((p >> 8) & 0xF8) + ((p >> 13) & 7) + add];
    const std::int32_t g = saturate[((p >> 3) & 0xFC) + ((p >> 9) & 3) + add];
    const std::int32_t b = saturate[((p & 0x1F) << 3) + ((p >> 2) & 7) + add];
    frame[i] = static_cast<std::uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
  }
}

}  // namespace vantrelle
