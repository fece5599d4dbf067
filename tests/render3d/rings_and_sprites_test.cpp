// The rings' points drawn as glow sprites: hand-worked cases of the whole
// drawing, and the sprite renderer against a plain per-pixel form written
// from what the sprite should look like, not from how it steps through it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "assets/build_precomputed_tables.h"
#include "core/frame_buffer.h"
#include "core/sin_tables.h"
#include "render3d/draw_glow_sprite.h"
#include "render3d/draw_rings.h"

namespace vantrelle {
namespace {

class DrawRingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildSinCosTables();
    for (int i = 0; i < 256; ++i) startup::GreyRamp[i] = static_cast<std::uint16_t>(0x1000 + i);
    startup::GlowSprite.fill(1);
    points_.fill(0);
    frame_.fill(0xABCD);
  }
  std::array<std::int32_t, 624 * 3> points_{};
  FrameBuffer frame_{};
};

TEST_F(DrawRingsTest, DepthCutOffBlobSizeAndSaturation) {
  // Points just too near or behind the viewer leave a white frame.
  points_[2] = 98559;
  points_[5] = -65536;
  DrawRings(frame_, points_.data(), 0, 0);
  for (std::uint16_t p : frame_) ASSERT_EQ(p, GreyRamp[255]);

  // t = 0 leaves the points unturned; camera depth -1 moves the point from
  // 98559 to Z = 98560: d = 385, size 393216 / 385 = 1021 sixteenths.
  DrawRings(frame_, points_.data(), -1, 0);
  // left = 3200 - 510 -> columns 169 .. 232; top = 1920 - 510 -> rows 89 .. 152.
  int darker = 0;
  for (int row = 0; row < 240; ++row) {
    for (int col = 0; col < 400; ++col) {
      const bool inside = row >= 89 && row < 153 && col >= 169 && col < 233;
      ASSERT_EQ(frame_[row * 400 + col], inside ? GreyRamp[254] : GreyRamp[255]) << row << "," << col;
      darker += inside;
    }
  }
  EXPECT_EQ(darker, 64 * 64);

  // All 624 points on one spot saturate the buffer: black, GreyRamp[0].
  for (int i = 0; i < 624; ++i) points_[3 * i + 2] = 131072;
  startup::GlowSprite.fill(1);
  DrawRings(frame_, points_.data(), 0, 0);
  EXPECT_EQ(frame_[120 * 400 + 200], GreyRamp[0]);
}

// From the behaviour alone: the sprite spans w x h sixteenths of a pixel
// centred on (x, y); a pixel is covered when its top-left corner lies inside
// (rounding the left and top edges up to whole pixels, and counting as many
// pixels as the size rounds up to), and it samples the texel under that
// corner, 256 texels across the span, truncated.
void PlainDrawGlowSprite(std::uint8_t* buffer, const std::uint8_t* sprite, std::int64_t x, std::int64_t y,
                         std::int64_t w, std::int64_t h) {
  if (w == 0 || h == 0) return;  // a point too far away to have a size
  const std::int64_t left = x - w / 2, top = y - h / 2;
  const std::int64_t firstColumn = (left + 15) >> 4, firstRow = (top + 15) >> 4;
  const auto texel = [](std::int64_t offset, std::int64_t size) {  // offset in sixteenths from the edge
    return ((offset * ((std::int64_t{1} << 28) / size)) >> 20) & 0xFF;
  };
  for (std::int64_t row = std::max<std::int64_t>(firstRow, 0);
       row < std::min<std::int64_t>(firstRow + (h + 15) / 16, kFrameHeight); ++row) {
    for (std::int64_t col = std::max<std::int64_t>(firstColumn, 0);
         col < std::min<std::int64_t>(firstColumn + (w + 15) / 16, kFrameWidth); ++col) {
      const std::uint8_t s = sprite[texel(row * 16 - top, h) * 256 + texel(col * 16 - left, w)];
      std::uint8_t& out = buffer[row * kFrameWidth + col];
      out = static_cast<std::uint8_t>(std::min(out + s, 255));
    }
  }
}

TEST(DrawGlowSprite, MatchesThePlainFormEverywhere) {
  std::mt19937 random(20261206);
  std::vector<std::uint8_t> sprite(65536);
  for (std::uint8_t& texel : sprite) texel = static_cast<std::uint8_t>(random());
  static std::array<std::uint8_t, kFramePixels> expected;
  static std::array<std::uint8_t, kFramePixels> actual;
  std::uniform_int_distribution<std::int32_t> position(-2000, 8400);
  std::uniform_int_distribution<std::int32_t> size(1, 4096);
  for (int round = 0; round < 400; ++round) {
    for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<std::uint8_t>(random() % 200);
    actual = expected;
    // Several sprites over one another, so that sums saturate.
    for (int blob = 0; blob < 4; ++blob) {
      const std::int32_t x = position(random);
      const std::int32_t y = position(random) * 3 / 5;
      std::int32_t w = round % 5 == 0 ? size(random) % 64 + 1 : size(random);
      if (round % 9 == 0 && blob == 0) w = 0;  // a point too far away to have a size
      const std::int32_t h = round % 7 == 0 ? size(random) % 64 + 1 : size(random);
      PlainDrawGlowSprite(expected.data(), sprite.data(), x, y, w, h);
      DrawGlowSprite(actual.data(), sprite.data(), x, y, w, h);
    }
    ASSERT_EQ(actual, expected) << "round " << round;
  }
}

}  // namespace
}  // namespace vantrelle
