#include "effects/glow.h"

#include "core/rgb565.h"
#include "core/simd.h"

namespace vantrelle {

namespace {

using simd::U16x8;
constexpr int kLanes = simd::kLanes;

constexpr std::int32_t kHalfBox = 8;              // the box spans samples x - 8 .. x + 7
constexpr std::uint16_t kHorizontalScale = 3855;  // 0.16, about 1/17
constexpr std::uint16_t kVerticalScale = 7710;    // 0.16, about 2/17: the light is doubled

// One channel of one row of samples with kHalfBox zeros before them, room for
// the zeros after, and the partial box sums built over it.
constexpr int kPaddedRow = kGlowWidth + 4 * kLanes;  // 200 samples, 8 zeros ahead, zeros and slack behind
using PaddedRow = std::array<std::uint16_t, kPaddedRow>;

// Scratch, rewritten by every call: the horizontally blurred half-resolution
// frame, one 8-bit channel per plane (at most 233, as the scale leaves 16
// samples of 248), the running column sums (at most 16 x 233, so 16 bits
// hold them), one row of increments, and a row's samples and partial sums.
struct Scratch {
  std::array<std::array<std::uint16_t, kGlowWidth * kGlowHeight>, 3> glowPlanes{};
  std::array<std::array<std::uint16_t, kGlowWidth>, 3> columnSums{};
  std::array<std::uint16_t, kFrameWidth> increments{};
  std::array<PaddedRow, 3> samples{};
  std::array<PaddedRow, 2> partial{};
};
Scratch scratch;

// Every second pixel of frame row `row`, each field widened to 8 bits without
// repeating its top bits, into the three sample rows after the leading zeros.
void TakeSamples(const std::uint16_t* row) {
  using namespace simd;
  for (int x = 0; x < kGlowWidth; x += kLanes) {
    const U16x8 p = EvenLanes(Load(row + 2 * x), Load(row + 2 * x + kLanes));
    Store(scratch.samples[0].data() + kHalfBox + x, And(ShiftRight<8>(p), Splat(0xF8)));
    Store(scratch.samples[1].data() + kHalfBox + x, And(ShiftRight<3>(p), Splat(0xFC)));
    Store(scratch.samples[2].data() + kHalfBox + x, ShiftLeft<3>(And(p, Splat(kBlueMask))));
  }
}

// The sums of 16 neighbouring samples, samples x - 8 .. x + 7 landing at x,
// by doubling: pairs, fours, eights, sixteens. The zeros around the samples
// stand for the samples the box misses at either end. Each stage covers as
// many vectors as the next stage reads.
void BoxSums(const PaddedRow& in, std::uint16_t* out) {
  using namespace simd;
  std::uint16_t* a = scratch.partial[0].data();
  std::uint16_t* b = scratch.partial[1].data();
  for (int i = 0; i < kGlowWidth + 3 * kLanes; i += kLanes)
    Store(a + i, Add(Load(in.data() + i), Load(in.data() + i + 1)));
  for (int i = 0; i < kGlowWidth + 2 * kLanes; i += kLanes) Store(b + i, Add(Load(a + i), Load(a + i + 2)));
  for (int i = 0; i < kGlowWidth + kLanes; i += kLanes) Store(a + i, Add(Load(b + i), Load(b + i + 4)));
  for (int i = 0; i < kGlowWidth; i += kLanes) {
    Store(out + i, MulHi(Add(Load(a + i), Load(a + i + 8)), Splat(kHorizontalScale)));
  }
}

// Every second pixel of every second frame row, blurred along the row.
void BlurRows(const FrameBuffer& frame) {
  for (std::int32_t y = 0; y < kGlowHeight; ++y) {
    TakeSamples(frame.data() + 2 * y * kFrameWidth);
    for (int c = 0; c < 3; ++c) BoxSums(scratch.samples[c], scratch.glowPlanes[c].data() + y * kGlowWidth);
  }
}

// Adds each field of the increments to the row's pixels, limited to the
// field's maximum. Red sums can pass 16 bits: saturating there still ends
// at the field's maximum.
void AddSaturated(std::uint16_t* row, const std::uint16_t* add) {
  using namespace simd;
  const U16x8 red = Splat(kRedMask), green = Splat(kGreenMask), blue = Splat(kBlueMask);
  for (std::int32_t c = 0; c < kFrameWidth; c += kLanes) {
    const U16x8 p = Load(row + c);
    const U16x8 q = Load(add + c);
    Store(row + c, Or(Or(Min(AddSat(And(p, red), And(q, red)), red), Min(Add(And(p, green), And(q, green)), green)),
                      Min(Add(And(p, blue), And(q, blue)), blue)));
  }
}

// Adds buffer row y to the running column sums (add) or takes it out of them.
void AddRow(std::int32_t y, bool add) {
  using namespace simd;
  for (int c = 0; c < 3; ++c) {
    const std::uint16_t* row = scratch.glowPlanes[c].data() + y * kGlowWidth;
    std::uint16_t* sums = scratch.columnSums[c].data();
    for (int x = 0; x < kGlowWidth; x += kLanes) {
      Store(sums + x, add ? Add(Load(sums + x), Load(row + x)) : Sub(Load(sums + x), Load(row + x)));
    }
  }
}

// Every column of the buffer blurred downward and added onto the 2 x 2 frame
// pixels it stands for. The columns are independent, so they advance together
// row by row, each with its own running sums.
void BlurColumnsOntoFrame(FrameBuffer& frame) {
  using namespace simd;
  for (auto& sums : scratch.columnSums) sums.fill(0);
  for (std::int32_t y = 0; y < kHalfBox; ++y) AddRow(y, true);

  for (std::int32_t y = 0; y < kGlowHeight; ++y) {
    for (std::int32_t x = 0; x < kGlowWidth; x += kLanes) {
      // The averages, doubled: sum * 7710 / 2^16 is the 8-bit channel, of
      // which red and blue keep the top 5 bits and green the top 6, each at
      // most its field's maximum (the pixel's field saturates there anyway).
      auto scaled = [x](int c) { return MulHi(Load(scratch.columnSums[c].data() + x), Splat(kVerticalScale)); };
      const U16x8 inc = Or(Or(ShiftLeft<11>(Min(ShiftRight<3>(scaled(0)), Splat(31))),
                              ShiftLeft<5>(Min(ShiftRight<2>(scaled(1)), Splat(63)))),
                           Min(ShiftRight<3>(scaled(2)), Splat(31)));
      // One buffer column stands for two frame columns.
      Store(scratch.increments.data() + 2 * x, InterleaveLow(inc, inc));
      Store(scratch.increments.data() + 2 * x + kLanes, InterleaveHigh(inc, inc));
    }
    std::uint16_t* top = frame.data() + 2 * y * kFrameWidth;
    AddSaturated(top, scratch.increments.data());
    AddSaturated(top + kFrameWidth, scratch.increments.data());
    if (y + kHalfBox < kGlowHeight) AddRow(y + kHalfBox, true);
    if (y >= kHalfBox) AddRow(y - kHalfBox, false);
  }
}

}  // namespace

void ApplyGlow(FrameBuffer& frame) {
  // The whole horizontal pass comes first: the glow is taken from the frame as it was on entry.
  BlurRows(frame);
  BlurColumnsOntoFrame(frame);
}

}  // namespace vantrelle
