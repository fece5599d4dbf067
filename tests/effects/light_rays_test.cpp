// Hand-worked cases of the light rays, read back from the frame alone; the
// plain form in light_rays_oracle_test.cpp covers every other frame.
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

class LightRays : public testing::Test {
 protected:
  static void SetUpTestSuite() { BuildEffectTables(); }
};

TEST_F(LightRays, BrightCentreLightsItsNeighboursWithFieldsSaturating) {
  FrameBuffer f;
  f.fill(0);
  f[Index(kCx, kCy)] = 0x7BEF;          // brightness 123
  f[Index(kCx + 1, kCy + 1)] = 0x001F;  // brightness 85: not a seed at threshold 100
  f[Index(kCx - 1, kCy - 1)] = 0xF800;
  DrawLightRays(f, kCx, kCy, 1, 100);
  // The centre's source point is itself: 123 + 123/8 = 138 reaches every cell
  // nearer than 1.8 pixels, added to every field; full fields stay full.
  EXPECT_EQ(f[Index(kCx + 1, kCy + 1)], 0x8C5F);
  EXPECT_EQ(f[Index(kCx - 1, kCy - 1)], 0xFC51);
  EXPECT_EQ(f[Index(kCx + 1, kCy)], 0x8C51);
  EXPECT_EQ(f[Index(kCx, kCy)], 0xFFFF);
  // It streams out to every corner, weakened only by truncation.
  for (int corner : {Index(0, 0), Index(399, 0), Index(0, 239), Index(399, 239)}) {
    EXPECT_NE(f[corner], 0) << corner;
    EXPECT_NE(f[corner], 0x8C51) << corner;
  }
}

TEST_F(LightRays, ASeedCastsItsRayOnlyAwayFromTheCentre) {
  for (auto [x, y] : {std::pair{kCx + 20, kCy}, std::pair{kCx - 30, kCy - 40}}) {
    FrameBuffer f;
    f.fill(0);
    f[Index(x, y)] = 0xFFFF;
    DrawLightRays(f, kCx, kCy, 1, 240);
    int lit = 0;
    for (int row = 0; row < kFrameHeight; ++row) {
      for (int column = 0; column < kFrameWidth; ++column) {
        const bool beyond =
            (column - kCx) * (x - kCx) + (row - kCy) * (y - kCy) >
            (x - kCx) * (x - kCx) + (y - kCy) * (y - kCy);  // past the bright pixel, seen from the centre
        if (f[Index(column, row)] != 0 && !(column == x && row == y)) {
          ASSERT_TRUE(beyond) << column << "," << row;
          ++lit;
        }
      }
    }
    EXPECT_GT(lit, 40);  // the ray goes on to the edge
  }
}

}  // namespace
}  // namespace vantrelle
