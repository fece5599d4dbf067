#include "effects/zoom_page.h"

#include <algorithm>
#include <array>

#include "core/rgb565.h"
#include "core/simd.h"

namespace vantrelle {
namespace {

constexpr std::int32_t kJumpMs = 231;                   // one zoom jump
constexpr std::int32_t kJumps = 8;                      // 1/8 .. 8/8 page pixel per frame pixel
constexpr std::int32_t kLastMs = kJumps * kJumpMs - 1;  // 1847, the last ms of the segment
constexpr int kPageWidth = 400;
constexpr int kLanes = simd::kLanes;  // a row is 50 whole vectors

using simd::U16x8;

// Where each frame column samples the page; the same for every row of a frame.
struct ColumnSample {
  std::int32_t col0 = 0;
  std::int32_t col1 = 0;
};
// One page row sampled at every frame column: per field (shifted down),
// T = f0 * (256 - fx) + f1 * fx, kept as T >> 8 and T AND 255. Weighing a top
// and a bottom row by (256 - fy) and fy afterwards gives exactly the four
// products (256 - fy)(256 - fx) ... fy * fx of the bilinear sum, and the two
// halves keep every partial sum within 16 bits.
struct PageRowSamples {
  std::int32_t row = -1;
  std::array<std::array<std::uint16_t, kFrameWidth>, 3> high;  // red, green, blue
  std::array<std::array<std::uint16_t, kFrameWidth>, 3> low;
};

struct Scratch {
  // Where each frame column samples the page, and col1's weight (fx, 0..255, out of 256).
  std::array<ColumnSample, kFrameWidth> columnSamples{};
  std::array<std::uint16_t, kFrameWidth> columnWeights{};
  // Neighbouring frame rows mostly share their page rows, so the last two stay.
  std::array<PageRowSamples, 2> rowCache{};
  // A row's two colours per column, rewritten by every sampled row.
  std::array<std::uint16_t, kFrameWidth> left{};
  std::array<std::uint16_t, kFrameWidth> right{};
};
Scratch scratch;

// The three fields of eight pixels, shifted down.
struct Fields {
  U16x8 f[3];
};
inline Fields SplitFields(U16x8 p) {
  using namespace simd;
  return {{ShiftRight<11>(p), And(ShiftRight<5>(p), Splat(kGreenMask >> 5)), And(p, Splat(kBlueMask))}};
}

void SampleRow(PageRowSamples& into, std::int32_t row, const std::uint8_t* page, const std::uint16_t* colours) {
  using namespace simd;
  into.row = row;
  const std::uint8_t* source = page + row * kPageWidth;
  // Look-ups one at a time: vectors gain nothing on them.
  for (int x = 0; x < kFrameWidth; ++x) {
    scratch.left[x] = colours[source[scratch.columnSamples[x].col0]];
    scratch.right[x] = colours[source[scratch.columnSamples[x].col1]];
  }
  for (int x = 0; x < kFrameWidth; x += kLanes) {
    const Fields f0 = SplitFields(Load(scratch.left.data() + x));
    const Fields f1 = SplitFields(Load(scratch.right.data() + x));
    const U16x8 fx = Load(scratch.columnWeights.data() + x);
    for (int c = 0; c < 3; ++c) {
      // f0 * 256 + (f1 - f0) * fx: at most 63 * 256; only the difference wraps.
      const U16x8 t = Add(ShiftLeft<8>(f0.f[c]), MulLo(Sub(f1.f[c], f0.f[c]), fx));
      Store(into.high[c].data() + x, ShiftRight<8>(t));
      Store(into.low[c].data() + x, And(t, Splat(255)));
    }
  }
}

// The samples of `row`, reusing the cache; never evicts the row `keep`.
const PageRowSamples& RowSamples(std::int32_t row, std::int32_t keep, const std::uint8_t* page,
                                 const std::uint16_t* colours) {
  for (const PageRowSamples& cached : scratch.rowCache) {
    if (cached.row == row) return cached;
  }
  PageRowSamples& victim = scratch.rowCache[0].row == keep ? scratch.rowCache[1] : scratch.rowCache[0];
  SampleRow(victim, row, page, colours);
  return victim;
}

// One field of eight pixels: (top * (256 - fy) + bottom * fy) >> 16, with
// top = 256 * high + low, as ((high part) + (low part >> 8)) >> 8; then
// brightened by c/256.
inline U16x8 ZoomField(const PageRowSamples& top, const PageRowSamples& bottom, int c, int x, U16x8 fy, U16x8 bright) {
  using namespace simd;
  auto weigh = [fy](U16x8 t, U16x8 b) { return Add(ShiftLeft<8>(t), MulLo(Sub(b, t), fy)); };
  const U16x8 high = weigh(Load(top.high[c].data() + x), Load(bottom.high[c].data() + x));  // at most 63 * 256
  const U16x8 low = weigh(Load(top.low[c].data() + x), Load(bottom.low[c].data() + x));     // at most 255 * 256
  const U16x8 f = ShiftRight<8>(Add(high, ShiftRight<8>(low)));
  return ShiftRight<8>(MulLo(f, bright));
}

}  // namespace

void DrawZoomPage(FrameBuffer& frame, const std::uint8_t* page, const std::uint16_t* colours,
                  std::int32_t timeInSegment) {
  // Outside the segment the page would be sampled outside its 400 x 240 pixels.
  const std::int32_t s = std::clamp(timeInSegment, 0, kLastMs);
  const std::int32_t jump = s / kJumpMs;
  const std::int32_t r = s - kJumpMs * jump;
  const std::int32_t scale = (jump + 1) << 13;  // 16.16 page pixels per frame pixel
  const U16x8 bright = simd::Splat(static_cast<std::uint16_t>(256 - (r * 256) / kJumpMs));  // 256 .. 2
  // 16.16 page position of frame pixel (0, 0): the frame centre shows the page centre.
  const std::int32_t uStart = (200 << 16) - (scale * kFrameWidth) / 2;
  const std::int32_t vStart = (120 << 16) - (scale * kFrameHeight) / 2;

  for (int x = 0; x < kFrameWidth; ++x) {
    const std::int32_t u = uStart + x * scale;
    scratch.columnSamples[x] = {u >> 16, (u + 0xFFFF) >> 16};
    scratch.columnWeights[x] = static_cast<std::uint16_t>((u >> 8) & 255);
  }
  // The column samples changed: nothing cached from an earlier frame holds.
  for (PageRowSamples& cached : scratch.rowCache) cached.row = -1;

  std::uint16_t* out = frame.data();
  for (int y = 0; y < kFrameHeight; ++y) {
    const std::int32_t v = vStart + y * scale;
    const std::int32_t row0 = v >> 16;
    const std::int32_t row1 = (v + 0xFFFF) >> 16;
    const U16x8 fy = simd::Splat(static_cast<std::uint16_t>((v >> 8) & 255));
    const PageRowSamples& top = RowSamples(row0, row1, page, colours);
    const PageRowSamples& bottom = RowSamples(row1, row0, page, colours);
    for (int x = 0; x < kFrameWidth; x += kLanes) {
      simd::Store(out + x, simd::Or(simd::Or(simd::ShiftLeft<11>(ZoomField(top, bottom, 0, x, fy, bright)),
                                             simd::ShiftLeft<5>(ZoomField(top, bottom, 1, x, fy, bright))),
                                    ZoomField(top, bottom, 2, x, fy, bright)));
    }
    out += kFrameWidth;
  }
}

}  // namespace vantrelle
