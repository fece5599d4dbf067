#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/frame_buffer.h"
#include "effects/text_strip.h"

namespace vantrelle {
namespace {

constexpr int kStripBytes = kStripWidth * kStripHeight;

std::int16_t Blurred(int column, int row) { return StripBuffer[row * kStripWidth + column]; }

FrameBuffer NoisyFrame(std::uint32_t seed) {
  FrameBuffer f;
  for (auto& p : f) {
    seed = seed * 1664525u + 1013904223u;
    p = static_cast<std::uint16_t>(seed >> 16);
  }
  return f;
}

TEST(TextStrip, RadiusZeroCopiesTheStripAndDarkensByIt) {
  std::vector<std::uint8_t> strip(kStripBytes);
  for (int i = 0; i < kStripBytes; ++i) strip[i] = static_cast<std::uint8_t>(i * 7);
  strip[0] = 255;
  strip[1] = 128;
  strip[2] = 0;
  FrameBuffer f;
  f.fill(0xFFFF);
  DrawTextStrip(f, strip.data(), 64, 0);
  for (int i = 0; i < kStripBytes; ++i) ASSERT_EQ(StripBuffer[i], strip[i]) << i;
  const int top = 64 * kFrameWidth;
  EXPECT_EQ(f[top + 0], 0x0000);  // 255 keeps 1/256 of every field: nothing
  EXPECT_EQ(f[top + 1], 0x7BEF);  // 128 halves each field
  EXPECT_EQ(f[top + 2], 0xFFFF);  // 0 leaves the pixel
  // Only the strip's 64 rows are touched.
  EXPECT_EQ(f[top - 1], 0xFFFF);
  EXPECT_EQ(f[top + kStripBytes], 0xFFFF);

  // Negative radii also copy.
  DrawTextStrip(f, strip.data(), 0, -3);
  for (int i = 0; i < kStripBytes; ++i) ASSERT_EQ(StripBuffer[i], strip[i]) << i;
}

TEST(TextStrip, BoxCoversTwiceTheRadiusEndingLeftOfCentre) {
  std::vector<std::uint8_t> strip(kStripBytes, 0);
  strip[10] = 255;
  strip[11] = 255;
  FrameBuffer f;
  f.fill(0);
  DrawTextStrip(f, strip.data(), 0, 1);
  // Radius 1: each byte with its left neighbour, 21845/65536 each.
  EXPECT_EQ(Blurred(10, 0), 84);
  EXPECT_EQ(Blurred(11, 0), 169);
  EXPECT_EQ(Blurred(12, 0), 84);
  EXPECT_EQ(Blurred(13, 0), 0);
  EXPECT_EQ(Blurred(9, 0), 0);
  EXPECT_EQ(Blurred(11, 1), 0);

  // Radius 115: column 0 sums columns 0..114 only; the normaliser is 65536 / 231.
  std::vector<std::uint8_t> full(kStripBytes, 255);
  DrawTextStrip(f, full.data(), 0, 115);
  EXPECT_EQ(Blurred(0, 5), (115 * 255 * (65536 / 231)) >> 16);
  EXPECT_EQ(Blurred(115, 5), (230 * 255 * (65536 / 231)) >> 16);  // the first full box
  EXPECT_EQ(Blurred(285, 5), (230 * 255 * (65536 / 231)) >> 16);  // the last full box
  EXPECT_EQ(Blurred(399, 5), (116 * 255 * (65536 / 231)) >> 16);  // columns 284..399
  std::vector<std::uint8_t> dot(kStripBytes, 0);
  dot[114] = 200;
  dot[115] = 100;
  DrawTextStrip(f, dot.data(), 0, 115);
  EXPECT_EQ(Blurred(0, 0), (200 * (65536 / 231)) >> 16);
  EXPECT_EQ(Blurred(1, 0), (300 * (65536 / 231)) >> 16);
  EXPECT_EQ(Blurred(229, 0), (300 * (65536 / 231)) >> 16);
  EXPECT_EQ(Blurred(230, 0), (100 * (65536 / 231)) >> 16);

  // A radius wider than the row sums the whole row everywhere.
  DrawTextStrip(f, full.data(), 0, 1000);
  EXPECT_EQ(Blurred(0, 0), (400 * 255 * (65536 / 2001)) >> 16);
  EXPECT_EQ(Blurred(399, 63), Blurred(0, 0));
}

TEST(TextStrip, EmptyStripLeavesTheFrameUnchanged) {
  const std::vector<std::uint8_t> empty(kStripBytes, 0);
  const FrameBuffer noisy = NoisyFrame(5);
  for (int radius : {0, 1, 57, 115}) {
    for (int top : {0, 88, 176}) {
      FrameBuffer f = noisy;
      DrawTextStrip(f, empty.data(), top, radius);
      ASSERT_EQ(f, noisy) << radius << "," << top;
    }
  }
}

}  // namespace
}  // namespace vantrelle
