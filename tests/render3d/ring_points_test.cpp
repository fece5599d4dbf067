#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "assets/build_precomputed_tables.h"
#include "core/sin_tables.h"
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

}  // namespace
}  // namespace vantrelle
