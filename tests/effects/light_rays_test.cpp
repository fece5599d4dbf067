#include <gtest/gtest.h>

#include <cstdint>

#include "assets/build_effect_tables.h"
#include "core/frame_buffer.h"
#include "effects/light_rays.h"

namespace vantrelle {
namespace {

constexpr int kCx = 200;  // the show's centre column
constexpr int kCy = 120;

int Index(int column, int row) { return row * kFrameWidth + column; }
std::int32_t Light(int column, int row) { return RayBuffer[Index(column, row)]; }

FrameBuffer NoisyFrame(std::uint32_t seed) {
  FrameBuffer f;
  for (auto& p : f) {
    seed = seed * 1664525u + 1013904223u;
    p = static_cast<std::uint16_t>(seed >> 16);
  }
  return f;
}

class LightRays : public testing::Test {
 protected:
  static void SetUpTestSuite() { BuildEffectTables(); }
};

TEST_F(LightRays, NothingAboveTheThresholdLeavesTheFrameUnchanged) {
  const FrameBuffer noisy = NoisyFrame(7);
  FrameBuffer f = noisy;
  DrawLightRays(f, kCx, kCy, 1, 255);
  EXPECT_EQ(f, noisy);

  FrameBuffer white;
  white.fill(0xFFFF);  // brightness 255 is not strictly greater than 255
  f = white;
  DrawLightRays(f, kCx, kCy, 1, 255);
  EXPECT_EQ(f, white);
}

TEST_F(LightRays, BrightCentreLightsItsNeighboursWithFieldsSaturating) {
  FrameBuffer f;
  f.fill(0);
  f[Index(kCx, kCy)] = 0x7BEF;          // brightness 123
  f[Index(kCx + 1, kCy + 1)] = 0x001F;  // brightness 85: not a seed at threshold 100
  f[Index(kCx - 1, kCy - 1)] = 0xF800;
  DrawLightRays(f, kCx, kCy, 1, 100);

  // The centre's source point is itself: its light and one eighth of its seed.
  const std::int32_t seed = 123 * 256;
  const std::int32_t centre = seed + (seed >> 3);
  EXPECT_EQ(Light(kCx, kCy), centre);
  // Cells closer than 1.8 pixels take their light from the centre alone.
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) EXPECT_EQ(Light(kCx + dx, kCy + dy), centre) << dx << "," << dy;
  }

  // Light 138 added to every field: blue and red already at their maximum stay there.
  EXPECT_EQ(f[Index(kCx + 1, kCy + 1)], 0x8C5F);
  EXPECT_EQ(f[Index(kCx - 1, kCy - 1)], 0xFC51);
  EXPECT_EQ(f[Index(kCx + 1, kCy)], 0x8C51);
  EXPECT_EQ(f[Index(kCx, kCy)], 0xFFFF);
  // The centre's light streams out to every edge, weakened only by truncation.
  EXPECT_GT(Light(0, 0), 0);
  EXPECT_LT(Light(0, 0), centre);
  EXPECT_GT(Light(399, 239), 0);
  EXPECT_LT(Light(399, 239), centre);
}

TEST_F(LightRays, ASeedCastsItsRayOnlyAwayFromTheCentre) {
  // On the centre row, right of the centre.
  FrameBuffer f;
  f.fill(0);
  f[Index(kCx + 20, kCy)] = 0xFFFF;
  DrawLightRays(f, kCx, kCy, 1, 240);
  EXPECT_EQ(Light(kCx + 20, kCy), (255 * 256) >> 3);  // its own eighth, nothing arrives
  // The next cell's source point is 19.2 pixels out: weights 205 and 51 on cells 19 and 20.
  EXPECT_EQ(Light(kCx + 21, kCy), (((255 * 256) >> 3) * 51) >> 8);
  for (int x = kCx + 21; x < kCx + 40; ++x) ASSERT_GT(Light(x, kCy), 0) << x;
  // Nothing nearer the centre than the seeded pixel, on any row; the ray widens beyond it.
  for (int y = 0; y < kFrameHeight; ++y) {
    for (int x = 0; x < kCx + 20; ++x) ASSERT_EQ(Light(x, y), 0) << x << "," << y;
  }
  EXPECT_GT(Light(kCx + 60, kCy - 1), 0);
  for (int x = 0; x < kCx + 20; ++x) ASSERT_EQ(f[Index(x, kCy)], 0) << x;
  EXPECT_NE(f[Index(kCx + 21, kCy)], 0);

  // Up and to the left, on a diagonal: the ray goes on toward the corner.
  f.fill(0);
  f[Index(kCx - 30, kCy - 40)] = 0xFFFF;
  DrawLightRays(f, kCx, kCy, 1, 240);
  EXPECT_EQ(Light(kCx - 15, kCy - 20), 0);
  EXPECT_GT(Light(kCx - 36, kCy - 48), 0);
  EXPECT_GT(Light(kCx - 60, kCy - 80), 0);
  for (int y = kCy - 40 + 1; y < kFrameHeight; ++y) {
    for (int x = 0; x < kFrameWidth; ++x) ASSERT_EQ(Light(x, y), 0) << x << "," << y;
  }
  for (int y = 0; y < kFrameHeight; ++y) {
    for (int x = kCx - 30 + 1; x < kFrameWidth; ++x) ASSERT_EQ(Light(x, y), 0) << x << "," << y;
  }
}

}  // namespace
}  // namespace vantrelle
