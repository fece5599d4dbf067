#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "core/frame_buffer.h"
#include "effects/zoom_page.h"

namespace vantrelle {
namespace {

constexpr int kPageBytes = 400 * 240;

struct ZoomFixture {
  std::vector<std::uint8_t> page = std::vector<std::uint8_t>(kPageBytes, 0);
  std::array<std::uint16_t, 256> colours{};
  std::unique_ptr<FrameBuffer> frame = std::make_unique<FrameBuffer>();

  void Randomise(unsigned seed) {
    std::mt19937 random(seed);
    for (auto& b : page) b = static_cast<std::uint8_t>(random());
    for (auto& c : colours) c = static_cast<std::uint16_t>(random());
  }
};

// The zoom as first written: four weights per pixel and a multiplication per
// position. The drawn frame must match it bit for bit.
std::uint16_t PlainZoomPixel(const std::uint8_t* page, const std::uint16_t* colours, std::int32_t s, int x, int y) {
  const std::int32_t k = s / 231;
  const std::int32_t r = s - 231 * k;
  const std::int32_t scale = (k + 1) << 13;
  const std::uint32_t c = static_cast<std::uint32_t>(256 - (r * 256) / 231);
  const std::int32_t u = (200 << 16) - (scale * 400) / 2 + x * scale;
  const std::int32_t v = (120 << 16) - (scale * 240) / 2 + y * scale;
  const std::int32_t col0 = u >> 16, col1 = (u + 0xFFFF) >> 16;
  const std::int32_t row0 = v >> 16, row1 = (v + 0xFFFF) >> 16;
  const std::uint32_t fx = (u >> 8) & 255, fy = (v >> 8) & 255;
  const std::uint32_t p[4] = {colours[page[row0 * 400 + col0]], colours[page[row0 * 400 + col1]],
                              colours[page[row1 * 400 + col0]], colours[page[row1 * 400 + col1]]};
  const std::uint32_t w[4] = {(256 - fy) * (256 - fx), (256 - fy) * fx, fy * (256 - fx), fy * fx};
  std::uint32_t out = 0;
  for (std::uint32_t m : {0xF800u, 0x07E0u, 0x001Fu}) {
    std::uint32_t sum = 0;
    for (int i = 0; i < 4; ++i) sum += (p[i] & m) * w[i];
    const std::uint32_t f = (sum >> 16) & m;
    out |= ((f * c) >> 8) & m;
  }
  return static_cast<std::uint16_t>(out);
}

TEST(DrawZoomPage, TimesOutsideTheSegmentAreClampedToIt) {
  ZoomFixture z;
  z.Randomise(3);
  FrameBuffer first{};
  FrameBuffer last{};
  DrawZoomPage(first, z.page.data(), z.colours.data(), 0);
  DrawZoomPage(last, z.page.data(), z.colours.data(), 1847);
  for (std::int32_t s : {-1, -231, std::numeric_limits<std::int32_t>::min()}) {
    DrawZoomPage(*z.frame, z.page.data(), z.colours.data(), s);
    EXPECT_EQ(*z.frame, first) << s;
  }
  for (std::int32_t s : {1848, 5000, std::numeric_limits<std::int32_t>::max()}) {
    DrawZoomPage(*z.frame, z.page.data(), z.colours.data(), s);
    EXPECT_EQ(*z.frame, last) << s;
  }
}

TEST(DrawZoomPage, MatchesThePlainBilinearZoomAtEveryJump) {
  ZoomFixture one;
  ZoomFixture two;
  one.Randomise(4);
  two.Randomise(5);
  std::vector<std::int32_t> times;
  for (std::int32_t jump = 0; jump < 8; ++jump) {
    for (std::int32_t r : {0, 1, 77, 230}) times.push_back(231 * jump + r);
  }
  for (std::int32_t s : times) {
    // Two pages at the same time in turn: nothing of one may leak into the other.
    for (ZoomFixture* z : {&one, &two}) {
      DrawZoomPage(*z->frame, z->page.data(), z->colours.data(), s);
      for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 400; ++x) {
          ASSERT_EQ((*z->frame)[y * kFrameWidth + x], PlainZoomPixel(z->page.data(), z->colours.data(), s, x, y))
              << "s " << s << " at " << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
}  // namespace vantrelle
