// The light rays against a plain form written from their description, which
// works out each source point's position and weights from RaySourceX/Y, and
// hand-worked cases read back from the frame alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <tuple>
#include <utility>

#include "assets/build_effect_tables.h"
#include "assets/effect_tables.h"
#include "core/frame_buffer.h"
#include "effects/light_rays.h"

namespace vantrelle {
namespace {

constexpr int kCx = 200;  // the show's centre column
constexpr int kCy = 120;

int Index(int column, int row) { return row * kFrameWidth + column; }

// Straight from the description, one cell at a time by its coordinates:
// seed the bright pixels, pass light outward quadrant by quadrant (each cell
// takes the bilinear mix of the four cells around its source point, nearer the
// centre, plus an eighth of its own seed), then add it to every field.
void PlainDrawLightRays(FrameBuffer& frame, int cx, int cy, int threshold) {
  if (cx < 144 || cx > 255 || cy < 0 || cy >= kFrameHeight) return;  // the tables reach 255 pixels
  static std::array<std::array<std::int64_t, kFrameWidth>, kFrameHeight> light;
  for (int y = 0; y < kFrameHeight; ++y) {
    for (int x = 0; x < kFrameWidth; ++x) {
      const int b = BrightnessTable[frame[y * kFrameWidth + x]];
      light[y][x] = b > threshold ? b * 256 : 0;
    }
  }
  const auto sweep = [&](int sx, int sy, int firstDy, int firstDx) {
    for (int dy = firstDy; cy + sy * dy >= 0 && cy + sy * dy < kFrameHeight; ++dy) {
      for (int dx = firstDx; cx + sx * dx >= 0 && cx + sx * dx < kFrameWidth; ++dx) {
        const std::int64_t X = RaySourceX[dy * 256 + dx], Y = RaySourceY[dy * 256 + dx];
        const std::int64_t fx = X % 256, fy = Y % 256;
        const int nearX = cx + sx * static_cast<int>(X / 256), farX = cx + sx * static_cast<int>((X + 255) / 256);
        const int nearY = cy + sy * static_cast<int>(Y / 256), farY = cy + sy * static_cast<int>((Y + 255) / 256);
        std::int64_t& cell = light[cy + sy * dy][cx + sx * dx];
        cell = ((light[nearY][nearX] * ((256 - fx) * (256 - fy) / 256) + light[farY][nearX] * ((256 - fx) * fy / 256) +
                 light[nearY][farX] * (fx * (256 - fy) / 256) + light[farY][farX] * (fx * fy / 256)) /
                256) +
               cell / 8;
      }
    }
  };
  sweep(+1, +1, 0, 0);
  sweep(-1, +1, 0, 1);
  sweep(+1, -1, 1, 0);
  sweep(-1, -1, 1, 1);
  for (int i = 0; i < kFramePixels; ++i) {
    const int add = static_cast<int>(std::min<std::int64_t>(light[i / kFrameWidth][i % kFrameWidth] / 256, 255));
    const int p = frame[i];
    const int r = p >> 11, g = (p >> 5) & 63, b = p & 31;  // widened by repeating their top bits
    const int r8 = std::min((r << 3 | r >> 2) + add, 255), g8 = std::min((g << 2 | g >> 4) + add, 255),
              b8 = std::min((b << 3 | b >> 2) + add, 255);
    frame[i] = static_cast<std::uint16_t>((r8 >> 3) << 11 | (g8 >> 2) << 5 | (b8 >> 3));
  }
}

TEST(DrawLightRays, MatchesThePlainFormEverywhere) {
  BuildEffectTables();
  std::mt19937 random(7392);
  static FrameBuffer expected;
  static FrameBuffer actual;
  for (int round = 0; round < 60; ++round) {
    // A dark frame with bright blobs, or noise over the whole frame.
    const bool noise = round % 4 == 0;
    for (std::uint16_t& p : expected) p = static_cast<std::uint16_t>(noise ? random() : random() & 0x18E3);
    for (int blob = 0; blob < 6; ++blob) {
      const int x0 = static_cast<int>(random() % kFrameWidth);
      const int y0 = static_cast<int>(random() % kFrameHeight);
      for (int y = y0; y < std::min(kFrameHeight, y0 + 20); ++y) {
        for (int x = x0; x < std::min(kFrameWidth, x0 + 30); ++x) expected[y * kFrameWidth + x] = 0xFFFF;
      }
    }
    actual = expected;
    // The corners of the range the tables allow and just beyond each side,
    // then centres anywhere in it and just outside it.
    constexpr std::pair<std::int32_t, std::int32_t> kEdges[] = {{144, 0},   {255, 239}, {144, 239}, {255, 0},
                                                                {143, 120}, {256, 120}, {200, -1},  {200, 240}};
    std::int32_t cx = 143 + static_cast<std::int32_t>(random() % 115);
    std::int32_t cy = static_cast<std::int32_t>(random() % 241);
    if (round < 8) std::tie(cx, cy) = kEdges[round];
    // Mostly the show's range; every fifth round anywhere, below 0 and past 255 too.
    const std::int32_t threshold = round % 5 == 1 ? -3 + static_cast<std::int32_t>(random() % 262)
                                                  : 160 + static_cast<std::int32_t>(random() % 96);
    PlainDrawLightRays(expected, cx, cy, threshold);
    DrawLightRays(actual, cx, cy, 1, threshold);
    ASSERT_EQ(actual, expected) << "centre (" << cx << ", " << cy << "), threshold " << threshold;
  }
}

TEST(DrawLightRays, BrightCentreLightsItsNeighboursWithFieldsSaturating) {
  BuildEffectTables();
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

TEST(DrawLightRays, ASeedCastsItsRayOnlyAwayFromTheCentre) {
  BuildEffectTables();
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
