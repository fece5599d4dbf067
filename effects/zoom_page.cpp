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

// One field of the bilinear sample, brightened by c/256. The sum is split into
// a top and a bottom pair; weighing each pair by (256 - fy) and fy gives exactly
// the four products (256 - fy)(256 - fx) ... fy * fx. Unsigned: the red sum
// reaches 0xF800 * 65536.
inline std::uint32_t ZoomField(std::uint32_t p00, std::uint32_t p01, std::uint32_t p10, std::uint32_t p11,
                               std::uint32_t fx, std::uint32_t fy, std::uint32_t c, std::uint32_t mask) {
  const std::uint32_t top = (p00 & mask) * (256 - fx) + (p01 & mask) * fx;
  const std::uint32_t bottom = (p10 & mask) * (256 - fx) + (p11 & mask) * fx;
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

  std::uint16_t* out = frame.data();
  for (int y = 0; y < kFrameHeight; ++y) {
    const std::int32_t v = vStart + y * scale;
    const std::uint8_t* top = page + (v >> 16) * kPageWidth;
    const std::uint8_t* bottom = page + ((v + 0xFFFF) >> 16) * kPageWidth;
    const auto fy = static_cast<std::uint32_t>((v >> 8) & 255);
    for (const ColumnSample& col : ColumnSamples) {
      const std::uint32_t p00 = colours[top[col.col0]];
      const std::uint32_t p01 = colours[top[col.col1]];
      const std::uint32_t p10 = colours[bottom[col.col0]];
      const std::uint32_t p11 = colours[bottom[col.col1]];
      *out++ = static_cast<std::uint16_t>(ZoomField(p00, p01, p10, p11, col.fx, fy, c, kRedMask) |
                                          ZoomField(p00, p01, p10, p11, col.fx, fy, c, kGreenMask) |
                                          ZoomField(p00, p01, p10, p11, col.fx, fy, c, kBlueMask));
    }
  }
}

}  // namespace vantrelle
