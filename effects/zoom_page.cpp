#include "effects/zoom_page.h"

#include <algorithm>
#include <array>

#include "core/rgb565.h"

namespace vantrelle {
namespace {

constexpr std::int32_t kJumpMs = 231;               // one zoom jump
constexpr std::int32_t kJumps = 8;                  // 1/8 .. 8/8 page pixel per frame pixel
constexpr std::int32_t kLastMs = kJumps * kJumpMs - 1;  // 1847, the last ms of the segment
constexpr int kPageWidth = 400;

// Where each frame column samples the page; the same for every row of a frame.
struct ColumnSample {
  std::int32_t col0 = 0;
  std::int32_t col1 = 0;
  std::uint32_t fx = 0;  // 0..255, weight of col1 out of 256
};
std::array<ColumnSample, kFrameWidth> ColumnSamples;

// One page row sampled at every frame column: per field,
// (p0 AND M) * (256 - fx) + (p1 AND M) * fx, not yet shifted down. Weighing a
// top and a bottom row by (256 - fy) and fy afterwards gives exactly the four
// products (256 - fy)(256 - fx) ... fy * fx of the bilinear sum.
struct PageRowSamples {
  std::int32_t row = -1;
  std::array<std::uint32_t, kFrameWidth> red;
  std::array<std::uint32_t, kFrameWidth> green;
  std::array<std::uint32_t, kFrameWidth> blue;
};
// Neighbouring frame rows mostly share their page rows, so the last two stay.
std::array<PageRowSamples, 2> RowCache;

void SampleRow(PageRowSamples& into, std::int32_t row, const std::uint8_t* page, const std::uint16_t* colours) {
  into.row = row;
  const std::uint8_t* source = page + row * kPageWidth;
  for (int x = 0; x < kFrameWidth; ++x) {
    const ColumnSample& col = ColumnSamples[x];
    const std::uint32_t p0 = colours[source[col.col0]];
    const std::uint32_t p1 = colours[source[col.col1]];
    const std::uint32_t w0 = 256 - col.fx;
    into.red[x] = (p0 & kRedMask) * w0 + (p1 & kRedMask) * col.fx;
    into.green[x] = (p0 & kGreenMask) * w0 + (p1 & kGreenMask) * col.fx;
    into.blue[x] = (p0 & kBlueMask) * w0 + (p1 & kBlueMask) * col.fx;
  }
}

// The samples of `row`, reusing the cache; never evicts the row `keep`.
const PageRowSamples& RowSamples(std::int32_t row, std::int32_t keep, const std::uint8_t* page,
                                 const std::uint16_t* colours) {
  for (const PageRowSamples& cached : RowCache) {
    if (cached.row == row) return cached;
  }
  PageRowSamples& victim = RowCache[0].row == keep ? RowCache[1] : RowCache[0];
  SampleRow(victim, row, page, colours);
  return victim;
}

// Weighs the top and bottom sums by fy (unsigned: the red sum reaches
// 0xF800 * 65536), then brightens by c/256.
inline std::uint32_t ZoomField(std::uint32_t top, std::uint32_t bottom, std::uint32_t fy, std::uint32_t c,
                               std::uint32_t mask) {
  const std::uint32_t f = ((top * (256 - fy) + bottom * fy) >> 16) & mask;
  return ((f * c) >> 8) & mask;
}

}  // namespace

void DrawZoomPage(FrameBuffer& frame, const std::uint8_t* page, const std::uint16_t* colours,
                  std::int32_t timeInSegment) {
  // Outside the segment the page would be sampled outside its 400 x 240 pixels.
  const std::int32_t s = std::clamp(timeInSegment, 0, kLastMs);
  const std::int32_t jump = s / kJumpMs;
  const std::int32_t r = s - kJumpMs * jump;
  const std::int32_t scale = (jump + 1) << 13;  // 16.16 page pixels per frame pixel
  const std::uint32_t c = static_cast<std::uint32_t>(256 - (r * 256) / kJumpMs);  // 256 .. 2
  // 16.16 page position of frame pixel (0, 0): the frame centre shows the page centre.
  const std::int32_t uStart = (200 << 16) - (scale * kFrameWidth) / 2;
  const std::int32_t vStart = (120 << 16) - (scale * kFrameHeight) / 2;

  for (int x = 0; x < kFrameWidth; ++x) {
    const std::int32_t u = uStart + x * scale;
    ColumnSamples[x] = {u >> 16, (u + 0xFFFF) >> 16, static_cast<std::uint32_t>((u >> 8) & 255)};
  }
  // The column samples changed: nothing cached from an earlier frame holds.
  for (PageRowSamples& cached : RowCache) cached.row = -1;

  std::uint16_t* out = frame.data();
  for (int y = 0; y < kFrameHeight; ++y) {
    const std::int32_t v = vStart + y * scale;
    const std::int32_t row0 = v >> 16;
    const std::int32_t row1 = (v + 0xFFFF) >> 16;
    const auto fy = static_cast<std::uint32_t>((v >> 8) & 255);
    const PageRowSamples& top = RowSamples(row0, row1, page, colours);
    const PageRowSamples& bottom = RowSamples(row1, row0, page, colours);
    for (int x = 0; x < kFrameWidth; ++x) {
      out[x] = static_cast<std::uint16_t>(ZoomField(top.red[x], bottom.red[x], fy, c, kRedMask) |
                                          ZoomField(top.green[x], bottom.green[x], fy, c, kGreenMask) |
                                          ZoomField(top.blue[x], bottom.blue[x], fy, c, kBlueMask));
    }
    out += kFrameWidth;
  }
}

}  // namespace vantrelle
