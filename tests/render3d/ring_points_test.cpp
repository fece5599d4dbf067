#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "assets/build_precomputed_tables.h"
#include "core/sin_tables.h"
#include "render3d/draw_glow_sprite.h"
#include "render3d/draw_rings.h"

namespace vantrelle {
namespace {

using ByteFrame = std::vector<std::uint8_t>;

// A sprite whose every texel tells where it came from.
std::array<std::uint8_t, 65536> PatternSprite() {
  std::array<std::uint8_t, 65536> s{};
  for (int i = 0; i < 65536; ++i) s[i] = static_cast<std::uint8_t>(((i >> 8) * 7 + (i & 255) * 3) % 251 + 1);
  return s;
}

TEST(DrawGlowSprite, FullSizePlacementClippingAndSaturation) {
  const auto sprite = PatternSprite();
  ByteFrame buffer(96000, 0);
  // 256 pixels wide: one texel per pixel, texel (0, 0) at column 10, row 10.
  DrawGlowSprite(buffer.data(), sprite.data(), 2048 + 160, 2048 + 160, 4096, 4096);
  EXPECT_EQ(buffer[9 * 400 + 10], 0);
  EXPECT_EQ(buffer[10 * 400 + 9], 0);
  for (int row = 10; row < 240; ++row) {
    for (int col = 10; col < 266; ++col) {
      ASSERT_EQ(buffer[row * 400 + col], sprite[(row - 10) * 256 + (col - 10)]) << row << "," << col;
    }
    ASSERT_EQ(buffer[row * 400 + 266], 0);
  }

  // Clipped at the left and top edges, a sprite keeps its texel positions.
  ByteFrame whole(96000, 0), clipped(96000, 0);
  const std::int32_t x = 1000 + 7, y = 900 + 3, size = 1500;
  DrawGlowSprite(whole.data(), sprite.data(), x, y, size, size);
  DrawGlowSprite(clipped.data(), sprite.data(), x - 16 * 40, y - 16 * 30, size, size);
  for (int row = 0; row + 30 < 240; ++row) {
    for (int col = 0; col + 40 < 400; ++col) {
      ASSERT_EQ(clipped[row * 400 + col], whole[(row + 30) * 400 + col + 40]) << row << "," << col;
    }
  }
  // ... and at the right and bottom edges it is cut off, touching nothing else.
  ByteFrame corner(96000, 0);
  DrawGlowSprite(corner.data(), sprite.data(), 6400, 3840, size, size);
  int drawn = 0;
  for (int i = 0; i < 96000; ++i) drawn += corner[i] != 0;
  EXPECT_EQ(drawn, 46 * 46);  // from column ceil(5650 / 16) = 354 and row ceil(3090 / 16) = 194
  EXPECT_NE(corner[239 * 400 + 399], 0);

  // Wholly off the frame, or of size 0: nothing.
  ByteFrame none(96000, 0);
  DrawGlowSprite(none.data(), sprite.data(), -800, 1920, 1500, 1500);
  DrawGlowSprite(none.data(), sprite.data(), 3200, 3840 + 800, 1500, 1500);
  DrawGlowSprite(none.data(), sprite.data(), 3200, 1920, 0, 0);
  for (std::uint8_t b : none) ASSERT_EQ(b, 0);

  // Layers add up and stop at 255.
  std::array<std::uint8_t, 65536> bright{};
  bright.fill(200);
  ByteFrame sum(96000, 0);
  DrawGlowSprite(sum.data(), bright.data(), 3200, 1920, 4096, 4096);
  EXPECT_EQ(sum[120 * 400 + 200], 200);
  DrawGlowSprite(sum.data(), bright.data(), 3200, 1920, 4096, 4096);
  EXPECT_EQ(sum[120 * 400 + 200], 255);
}

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

TEST_F(DrawRingsTest, NearPointsLeaveAWhiteFrame) {
  points_[2] = 98559;  // just too near
  points_[5] = -65536;  // behind the viewer
  DrawRings(frame_, points_.data(), 0, 0);
  for (std::uint16_t p : frame_) ASSERT_EQ(p, GreyRamp[255]);
}

TEST_F(DrawRingsTest, DepthCutOffAndBlobSize) {
  // t = 0 leaves the points unturned; camera depth -1 moves the point from
  // 98559 to Z = 98560: d = 385, size 393216 / 385 = 1021 sixteenths.
  points_[2] = 98559;
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

}  // namespace
}  // namespace vantrelle
