#include "effects/light_rays.h"

#include <algorithm>
#include <array>

#include "assets/effect_tables.h"
#include "core/simd.h"

namespace vantrelle {

namespace {

// One light value per frame pixel, 8.8 (256 = one step of 8-bit brightness).
// Scratch: rewritten by every call.
struct Scratch {
  std::array<std::int32_t, kFramePixels> rayBuffer{};
};
Scratch scratch;

constexpr std::int32_t kTableSpan = 256;                                // the source tables cover distances 0..255
constexpr std::int32_t kLowestCentreColumn = kFrameWidth - kTableSpan;  // 144

constexpr std::uint32_t Light(std::int32_t cell) { return static_cast<std::uint32_t>(cell); }

// A cell's new light: the bilinear mix of the 2 x 2 block around its source
// point (nearer the centre) plus an eighth of its own seed. The weights may
// fall short of 256 together. Light is never negative and stays below 2^23,
// so the sum fits.
inline std::int32_t MixedCell(const RayTap& tap, std::int32_t nearNear, std::int32_t farNear, std::int32_t nearFar,
                              std::int32_t farFar, std::int32_t cell) {
  const std::uint32_t sum = Light(nearNear) * tap.nearNear + Light(farNear) * tap.farNear +
                            Light(nearFar) * tap.nearFar + Light(farFar) * tap.farFar;
  return static_cast<std::int32_t>(sum >> 8) + (cell >> 3);
}

// One cell on the centre row or column, in place; sx, sy are the quadrant's
// signs. A far neighbour may lie outside the frame there, so it is read only
// where it lies one step further out (elsewhere its weight is 0).
template <std::int32_t sx, std::int32_t sy>
inline void LightAxisCell(const std::int32_t* centre, std::int32_t dx, std::int32_t dy, std::int32_t& cell) {
  const std::size_t i = static_cast<std::size_t>(dy * kTableSpan + dx);
  const std::int32_t x = RaySourceX[i];  // 8.8
  const std::int32_t y = RaySourceY[i];
  constexpr std::int32_t rowStep = sy * kFrameWidth;
  const std::int32_t* nearNear = centre + (y >> 8) * rowStep + sx * (x >> 8);
  const std::int32_t farRow = (y & 255) != 0 ? rowStep : 0;
  const std::int32_t farColumn = (x & 255) != 0 ? sx : 0;
  cell = MixedCell(RayTaps[i], nearNear[0], nearNear[farRow], nearNear[farColumn], nearNear[farRow + farColumn], cell);
}

// One cell off the centre row and column, in place. Its block lies at least
// one row and one column nearer the centre, and a far neighbour whose step is
// 0 has weight 0, so the block is read whole from where its tap says it
// starts.
template <std::int32_t sx, std::int32_t sy>
inline void LightCell(const RayTap& tap, std::int32_t& cell) {
  constexpr std::size_t kQuadrant = (sx < 0 ? 1 : 0) + (sy < 0 ? 2 : 0);
  const std::int32_t* block = &cell + tap.blockStart[kQuadrant];
  // The block in memory: the near row (column) first right of (below) the
  // centre, the far one first left of (above) it.
  constexpr std::int32_t nearRow = sy > 0 ? 0 : kFrameWidth;
  constexpr std::int32_t farRow = kFrameWidth - nearRow;
  constexpr std::int32_t nearColumn = sx > 0 ? 0 : 1;
  constexpr std::int32_t farColumn = 1 - nearColumn;
  cell = MixedCell(tap, block[nearRow + nearColumn], block[farRow + nearColumn], block[nearRow + farColumn],
                   block[farRow + farColumn], cell);
}

// Rows dy0..dyEnd-1 and columns dx0..dxEnd-1 (distances from the centre) of
// one quadrant, row by row away from the centre row and, within a row, away
// from the centre column, so every cell a source point touches is final.
template <std::int32_t sx, std::int32_t sy, bool kOffAxis>
void SweepRows(std::int32_t* centre, std::int32_t dy0, std::int32_t dyEnd, std::int32_t dx0, std::int32_t dxEnd) {
  for (std::int32_t dy = dy0; dy < dyEnd; ++dy) {
    std::int32_t* cells = centre + dy * sy * kFrameWidth;
    const RayTap* taps = RayTaps.data() + dy * kTableSpan;
    for (std::int32_t dx = dx0; dx < dxEnd; ++dx) {
      if constexpr (kOffAxis) {
        LightCell<sx, sy>(taps[dx], cells[sx * dx]);
      } else {
        LightAxisCell<sx, sy>(centre, dx, dy, cells[sx * dx]);
      }
    }
  }
}

constexpr std::int32_t kBand = 4;  // rows swept together along a wavefront

// The cells off the centre row and column, rows 1..dyEnd-1 and columns
// 1..dxEnd-1, in bands of four rows. Each row of a band runs one cell behind
// the row before it: a cell needs only rows above it up to its own column,
// so the four cells of one step never wait on each other, where a row alone
// is one long chain (each cell sums the cell just before it).
template <std::int32_t sx, std::int32_t sy>
void SweepOffAxis(std::int32_t* centre, std::int32_t dyEnd, std::int32_t dxEnd) {
  constexpr std::int32_t rowStep = sy * kFrameWidth;
  std::int32_t dy = 1;
  if (dxEnd > kBand) {
    for (; dy + kBand <= dyEnd; dy += kBand) {
      std::int32_t* cells = centre + dy * rowStep;
      const RayTap* taps = RayTaps.data() + dy * kTableSpan;
      const auto at = [&](std::int32_t j, std::int32_t dx) {  // row dy + j, column dx
        LightCell<sx, sy>(taps[j * kTableSpan + dx], cells[j * rowStep + sx * dx]);
      };
      for (std::int32_t step = 1; step < kBand; ++step) {  // the wavefront enters the band
        for (std::int32_t j = 0; j < step; ++j) at(j, step - j);
      }
      for (std::int32_t step = kBand; step < dxEnd; ++step) {
        at(0, step);
        at(1, step - 1);
        at(2, step - 2);
        at(3, step - 3);
      }
      for (std::int32_t step = dxEnd; step < dxEnd + kBand - 1; ++step) {  // and leaves it
        for (std::int32_t j = step - dxEnd + 1; j < kBand; ++j) at(j, step - j);
      }
    }
  }
  SweepRows<sx, sy, true>(centre, dy, dyEnd, 1, dxEnd);
}

// One quadrant: its part of the centre row (from column dx0) and of the
// centre column (from row dy0), then the cells off both. The centre row and
// column sample only themselves, and the other cells only cells nearer the
// centre on both axes, so this order gives what a sweep row by row gives.
template <std::int32_t sx, std::int32_t sy>
void SweepQuadrant(std::int32_t* light, std::int32_t cx, std::int32_t cy, std::int32_t dy0, std::int32_t dyEnd,
                   std::int32_t dx0, std::int32_t dxEnd) {
  std::int32_t* centre = light + cy * kFrameWidth + cx;
  if (dy0 == 0) SweepRows<sx, sy, false>(centre, 0, std::min(dyEnd, 1), dx0, dxEnd);
  if (dx0 == 0) SweepRows<sx, sy, false>(centre, 1, dyEnd, 0, std::min(dxEnd, 1));
  SweepOffAxis<sx, sy>(centre, dyEnd, dxEnd);
}

// Adds each pixel's light, in whole steps and at most 255, to its fields
// widened to 8 bits (by repeating their top bits), saturating, eight pixels a
// step (the frame is a multiple of eight). Light is below 2^23, so light >> 8
// narrows to 16 bits unchanged. Each widened field sits in the top byte of a
// lane with the light's step added there, so a saturating 16-bit add stops it
// at 255; the field's new bits are the top of that byte.
void AddLight(FrameBuffer& frame, const std::int32_t* light) {
  using namespace simd;
  const std::uint32_t* cells = reinterpret_cast<const std::uint32_t*>(light);
  for (std::int32_t i = 0; i < kFramePixels; i += kLanes) {
    const U16x8 steps = NarrowSigned(ShiftRight<8>(Load32(cells + i)), ShiftRight<8>(Load32(cells + i + 4)));
    const U16x8 add = ShiftLeft<8>(Min(steps, Splat(255)));
    const U16x8 p = Load(frame.data() + i);
    const U16x8 r = Or(And(p, Splat(0xF800)), And(ShiftRight<5>(p), Splat(0x0700)));
    const U16x8 g = Or(And(ShiftLeft<5>(p), Splat(0xFC00)), And(ShiftRight<1>(p), Splat(0x0300)));
    const U16x8 b = Or(ShiftLeft<11>(p), And(ShiftLeft<6>(p), Splat(0x0700)));
    Store(frame.data() + i,
          Or(Or(And(AddSat(r, add), Splat(0xF800)), ShiftRight<5>(And(AddSat(g, add), Splat(0xFC00)))),
             ShiftRight<11>(AddSat(b, add))));
  }
}

// Clears the light and writes the seeds: brightness x 256 where the pixel is
// strictly brighter than the threshold. Few pixels are seeds, so eight at a
// time are first tested against a bound: each widened field is below its top
// bits shifted up plus 8 (4 for green), so 8r + 4g + 8b + 17 bounds three
// times the brightness, and only groups that may hold a seed are looked up.
// Black pixels never pass: below a threshold of 0 they would seed 0, which
// adds nothing. True if any seed was written.
bool SeedLight(const FrameBuffer& frame, std::int32_t* light, std::int32_t threshold) {
  using namespace simd;
  // A seed's widened fields sum to at least 3 x threshold + 3, so its bound
  // exceeds 3 x threshold - 15.
  const std::int32_t below = std::clamp(3 * std::clamp(threshold, -1, 255) - 15, 0, 0xFFFF);
  const U16x8 limit = Splat(static_cast<std::uint16_t>(below));
  bool anySeed = false;
  for (std::int32_t i = 0; i < kFramePixels; i += kLanes) {
    std::fill_n(light + i, kLanes, 0);
    const U16x8 p = Load(frame.data() + i);
    const U16x8 bound = Add(Add(And(ShiftRight<8>(p), Splat(0xF8)), And(ShiftRight<3>(p), Splat(0xFC))),
                            And(ShiftLeft<3>(p), Splat(0xF8)));
    if (!AnyNonZero(SubSat(bound, limit))) continue;
    for (std::int32_t k = i; k < i + kLanes; ++k) {
      const std::int32_t b = BrightnessTable[frame[k]];
      if (b > threshold) {
        light[k] = b << 8;
        anySeed = true;
      }
    }
  }
  return anySeed;
}

}  // namespace

// mode is always 1, full resolution: the only mode the show draws with.
void DrawLightRays(FrameBuffer& frame, std::int32_t centreColumn, std::int32_t centreRow,
                   [[maybe_unused]] std::int32_t mode, std::int32_t threshold) {
  const std::int32_t cx = centreColumn;
  const std::int32_t cy = centreRow;
  // Outside this range some pixel would lie beyond the source tables.
  if (cx < kLowestCentreColumn || cx >= kTableSpan || cy < 0 || cy >= kFrameHeight) return;

  std::int32_t* light = scratch.rayBuffer.data();
  // Without a seed no light spreads and the output adds nothing.
  if (!SeedLight(frame, light, threshold)) return;

  // The centre row and column belong to the first sweep; the others start one
  // cell away from them. The order matters: later sweeps read the centre row
  // and column as the first one left them.
  SweepQuadrant<+1, +1>(light, cx, cy, 0, kFrameHeight - cy, 0, kFrameWidth - cx);
  SweepQuadrant<-1, +1>(light, cx, cy, 0, kFrameHeight - cy, 1, cx + 1);
  SweepQuadrant<+1, -1>(light, cx, cy, 1, cy + 1, 0, kFrameWidth - cx);
  SweepQuadrant<-1, -1>(light, cx, cy, 1, cy + 1, 1, cx + 1);

  AddLight(frame, light);
}

}  // namespace vantrelle
