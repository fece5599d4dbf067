// What the textured, Gouraud, lit and perspective fillers write into the
// pixels they cover: texels, shades and table entries that name themselves,
// worked by hand or against exact perspective.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <random>

#include "fill_test_support.h"
#include "render3d/fillers.h"

namespace vantrelle {
namespace {

using fill_test::Args;
using fill_test::Drawn;
using fill_test::Filler;
using fill_test::PositionTexture;
using fill_test::RenderWith;
using fill_test::Uv;

using Corners = std::array<std::int32_t, 6>;

// Byte maps: the texture names its texel column, the light map its row.
const std::uint8_t* ByteMap(bool rows) {
  static const auto maps = [] {
    auto m = std::make_unique<std::array<std::uint8_t, 2 * 65536>>();
    for (int i = 0; i < 65536; ++i) {
      (*m)[i] = static_cast<std::uint8_t>(i & 255);
      (*m)[65536 + i] = static_cast<std::uint8_t>(i >> 8);
    }
    return m;
  }();
  return maps->data() + (rows ? 65536 : 0);
}

// PositionTexture doubles as the table whose entry i holds i.
std::unique_ptr<Drawn> Textured(const Corners& c, const std::array<std::int32_t, 6>& uv) {
  return RenderWith(Filler::kTextured, {c, {}, Uv(uv)}, {PositionTexture()});
}

std::unique_ptr<Drawn> Gouraud(const Corners& c, std::int32_t s0, std::int32_t s1, std::int32_t s2) {
  return RenderWith(Filler::kGouraud, {c, {}, Uv({s0, 0, s1, 0, s2, 0})}, {PositionTexture()});
}

// Lit with texture column u and light-map row lv: the pixel is u + 256 * lv.
std::unique_ptr<Drawn> Lit(const Corners& c, const std::array<std::int32_t, 12>& a) {
  return RenderWith(Filler::kLit, {c, {}, a}, {PositionTexture(), ByteMap(false), ByteMap(true)});
}

TEST(FillTextured, TextureCoordinatesWrapEvery4096) {
  // Constant coordinates: every pixel takes one texel.
  const auto texelOf = [](std::int32_t u, std::int32_t v) {
    const auto d = Textured({1600, 160, 3200, 800, 2000, 1600}, {u, v, u, v, u, v});
    EXPECT_GT(d->Count(), 1000);
    return d->Value(120, 40);
  };
  EXPECT_EQ(texelOf(4096, 0), 0);
  EXPECT_EQ(texelOf(0, 4096), 0);
  EXPECT_EQ(texelOf(-16, 0) & 255, 255);  // column
  EXPECT_EQ(texelOf(0, -16) >> 8, 255);   // row
  EXPECT_EQ(texelOf(4096 + 5 * 16, 8192 + 7 * 16), 7 * 256 + 5);
  EXPECT_EQ(texelOf(-4096 - 15, -1), 255 * 256 + 255);
  // Whole turns of the texture added to every corner change nothing.
  const Corners c{1600, 160, 3200, 800, 2000, 1600};
  std::array<std::int32_t, 6> uv{0, 0, 2000, 300, 700, 4000};
  const auto before = Textured(c, uv);
  for (int i = 0; i < 6; ++i) uv[i] += (i % 2 == 0 ? 4096 : -8192);
  EXPECT_EQ(before->pixels, Textured(c, uv)->pixels);
}

TEST(FillTextured, CornersSharingXInOneRowBandGiveUnitGradients) {
  // Corners 0 and 1 at X = 160 within row band 2; edge 1->2 is the left edge
  // and carries u = v = 0.5 texel, so with gradients of 1/65536 texel per
  // pixel every row stays on texel (0, 0) although corner 0 says otherwise.
  const auto d = Textured({160, 17, 160, 30, 1600, 800}, {3000, 2000, 8, 8, 8, 8});
  EXPECT_GT(d->Count(), 20);
  for (int i = 0; i < kFramePixels; ++i) {
    if (d->written[i]) {
      ASSERT_EQ(d->pixels[i], 0) << i;
    }
  }
}

TEST(FillGouraud, InterpolatesTheShadeAcrossEachRow) {
  // Flat top, 100 pixels wide: gradient (100 - 0) * (0x100000 / 1600) = 65500.
  const auto d = Gouraud({0, 0, 1600, 0, 0, 1600}, 0, 100, 0);
  EXPECT_EQ(d->Value(0, 0), 0);
  EXPECT_EQ(d->Value(1, 0), 0);
  EXPECT_EQ(d->Value(50, 0), (50 * 65500) >> 16);
  EXPECT_EQ(d->Value(99, 0), 98);
  EXPECT_FALSE(d->At(100, 0));
  // Shades wrap through the table's 256 entries.
  EXPECT_EQ(Gouraud({160, 160, 3200, 160, 160, 3000}, 300, 300, 300)->Value(50, 50), 300 - 256);
  // An upper part: shade rises from 0 on the left edge to 200 at corner 1.
  const auto upper = Gouraud({0, 0, 3200, 1600, 0, 3200}, 0, 200, 0);
  for (int x = 1; x < 200; ++x) {
    if (upper->At(x, 100)) {
      ASSERT_GE(upper->Value(x, 100), upper->Value(x - 1, 100));
    }
  }
  EXPECT_LE(upper->Value(0, 100), 1);
  EXPECT_GE(upper->Value(199, 100), 197);
}

TEST(FillTexturedLit, CombinesTextureAndLightMapThroughTheTable) {
  // Constant coordinates: texel column 5, light-map row 7.
  const Corners c{160, 160, 3200, 800, 900, 3000};
  EXPECT_EQ(Lit(c, {88, 40, 900, 120, 88, 40, 900, 120, 88, 40, 900, 120})->Value(50, 50), 5 + 256 * 7);
  // u and lv wrap every 4096 like FillTextured's.
  EXPECT_EQ(Lit(c, {-16, 0, 0, 4096 + 32, -16, 0, 0, 4096 + 32, -16, 0, 0, 4096 + 32})->Value(50, 50), 255 + 256 * 2);
}

TEST(FillTexturedLit, MeasuresTheMiddleRowInWholePixels) {
  // u climbs 100 texels over the 99.94 pixels at the middle corner's row;
  // taken in whole pixels (99) the gradient is 66161, where FillTextured's
  // 16.16 width gives 65462.
  const Corners c{0, 0, 1600, 800, 0, 1600};
  EXPECT_EQ(Lit(c, Uv({0, 0, 1600, 0, 0, 0}))->Value(49, 25) & 255, (49 * 66161) >> 16);
  EXPECT_EQ(Textured(c, {0, 0, 1600, 0, 0, 0})->Value(49, 25) & 255, (49 * 65462) >> 16);
  // Narrower than one pixel at the middle row: every gradient is 1.
  EXPECT_GT(Lit({800, 0, 810, 800, 800, 1600}, {0, 0, 0, 0, 4000, 4000, 4000, 4000, 0, 0, 0, 0})->Count(), 30);
  // With a flat top both fillers share the gradient formula, so they agree.
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> pos(0, 3000);
  std::uniform_int_distribution<int> tex(-6000, 6000);
  for (int n = 0; n < 20; ++n) {
    const std::int32_t top = pos(rng) / 16 * 16 + 1;  // top corners within one row band
    const Corners flatTop{pos(rng), top, pos(rng), top + n % 8, pos(rng), top + 200 + pos(rng) / 4};
    const std::array<std::int32_t, 6> uv{tex(rng), tex(rng), tex(rng), tex(rng), tex(rng), tex(rng)};
    const auto lit = Lit(flatTop, {uv[0], 0, 0, uv[1], uv[2], 0, 0, uv[3], uv[4], 0, 0, uv[5]});
    const auto tx = Textured(flatTop, uv);
    ASSERT_EQ(lit->written, tx->written);
    ASSERT_EQ(lit->pixels, tx->pixels) << n;
  }
}

// Distance between two texel positions along one axis, modulo the texture.
int WrapDistance(int a, int b) {
  const int d = std::abs(a - b) & 255;
  return std::min(d, 256 - d);
}

int TexelDistance(std::uint16_t a, std::uint16_t b) {
  return std::max(WrapDistance(a & 255, b & 255), WrapDistance(a >> 8, b >> 8));
}

// Projects a camera-space triangle (units) the way the renderer does:
// 4096 sixteenths per unit of x/z about the frame's centre.
Args Project(const std::array<double, 9>& p, const std::array<std::int32_t, 6>& uv) {
  Args t{{}, {}, Uv(uv)};
  for (int i = 0; i < 3; ++i) {
    const double x = p[3 * i], y = p[3 * i + 1], z = p[3 * i + 2];
    t.xy[2 * i] = static_cast<std::int32_t>(std::lround(3200 + 4096 * x / z));
    t.xy[2 * i + 1] = static_cast<std::int32_t>(std::lround(1920 - 4096 * y / z));
    t.z[i] = static_cast<std::int32_t>(std::lround(65536 * z));
  }
  return t;
}

std::unique_ptr<Drawn> Perspective(const Args& t, std::int32_t dx = 0, std::int32_t dy = 0) {
  return RenderWith(Filler::kPerspective, t, {PositionTexture()}, dx, dy);
}

// Perspective-correct texel (column, row) at the sample (16x, 16y) of a
// screen triangle: u/z, v/z and 1/z interpolate linearly on the screen.
std::uint16_t ExactTexel(const Args& t, int x, int y) {
  const double px = 16.0 * x, py = 16.0 * y;
  const double x0 = t.xy[0], y0 = t.xy[1], x1 = t.xy[2], y1 = t.xy[3], x2 = t.xy[4], y2 = t.xy[5];
  const double area = (x1 - x0) * (y2 - y0) - (x2 - x0) * (y1 - y0);
  const double b1 = ((px - x0) * (y2 - y0) - (x2 - x0) * (py - y0)) / area;
  const double b2 = ((x1 - x0) * (py - y0) - (px - x0) * (y1 - y0)) / area;
  const double b[3] = {1 - b1 - b2, b1, b2};
  double q = 0, uq = 0, vq = 0;
  for (int i = 0; i < 3; ++i) {
    const double inv = 1.0 / t.z[i];
    q += b[i] * inv;
    uq += b[i] * inv * t.a[4 * i] / 16.0;
    vq += b[i] * inv * t.a[4 * i + 1] / 16.0;
  }
  const int u = static_cast<int>(std::floor(uq / q)) & 255;
  const int v = static_cast<int>(std::floor(vq / q)) & 255;
  return static_cast<std::uint16_t>(v * 256 + u);
}

TEST(FillPerspective, FollowsTheDepthOfThePlane) {
  // Planes receding from z = 1 to z = 3 units, 4 texels per 1/64 unit so that
  // the affine error runs to dozens of texels; then planes facing the screen,
  // one clipped at the left edge, where depth is constant and affine is exact.
  const std::array<std::array<double, 9>, 5> planes = {{
      {-0.6, -0.4, 1.0, 0.6, -0.4, 1.0, 0.0, 0.35, 3.0},
      {-0.5, 0.3, 1.1, 0.9, 0.0, 2.4, -0.2, -0.45, 1.6},
      {0.7, 0.2, 2.8, -0.7, 0.25, 1.05, 0.1, -0.4, 1.2},
      {-0.9, -0.5, 1.2, 0.8, -0.5, 1.2, 0.1, 0.6, 1.2},
      {-1.0, -0.2, 0.9, 0.7, 0.6, 0.9, 0.3, -0.9, 0.9},
  }};
  for (const auto& plane : planes) {
    const bool slanted = plane[2] != plane[5] || plane[5] != plane[8];
    const Args t = Project(plane, {0, 0, 4000, 0, 2000, 4000});
    const auto p = Perspective(t);
    const auto a = RenderWith(Filler::kTextured, t, {PositionTexture()});
    int pixels = 0, close = 0, affineWorst = 0;
    for (int y = 0; y < kFrameHeight; ++y) {
      for (int x = 0; x < kFrameWidth; ++x) {
        if (!p->At(x, y)) continue;
        const std::uint16_t want = ExactTexel(t, x, y);
        ++pixels;
        const int d = TexelDistance(p->Value(x, y), want);
        ASSERT_LE(d, 3) << x << "," << y;
        close += d <= 1 ? 1 : 0;
        affineWorst = std::max(affineWorst, TexelDistance(a->Value(x, y), want));
      }
    }
    EXPECT_GT(pixels, 5000);
    EXPECT_GT(close, pixels * 97 / 100);
    EXPECT_TRUE(!slanted || affineWorst > 12) << affineWorst;
  }
}

// A left clip restarts the 16-pixel runs at column 0: texels agree with the
// unclipped drawing's to within the runs' rounding. (Clips at the other
// edges keep every texel: Fillers.ClippedPixelsKeepTheirUnclippedValues.)
TEST(FillPerspective, LeftClipKeepsTexelsWithinTheRunsRounding) {
  std::mt19937 rng(9);
  std::uniform_real_distribution<double> side(-0.3, 0.3);
  std::uniform_real_distribution<double> depth(1.0, 2.5);
  std::uniform_int_distribution<int> coordinate(0, 4080);
  int pixels = 0, close = 0;
  for (int n = 0; n < 12; ++n) {
    // Drawn one after the other: the order of a call's arguments is the compiler's choice.
    const std::array<std::int32_t, 6> uv{coordinate(rng), coordinate(rng), coordinate(rng),
                                         coordinate(rng), coordinate(rng), coordinate(rng)};
    const std::array<double, 9> corners{side(rng),  side(rng), depth(rng), side(rng), side(rng),
                                        depth(rng), side(rng), side(rng),  depth(rng)};
    Args t = Project(corners, uv);
    // Anchor the triangle's box at the origin (it spans under 160 pixels).
    const std::int32_t left = std::min({t.xy[0], t.xy[2], t.xy[4]}) / 16 * 16;
    const std::int32_t top = std::min({t.xy[1], t.xy[3], t.xy[5]}) / 16 * 16;
    for (int i = 0; i < 3; ++i) t.xy[2 * i] -= left, t.xy[2 * i + 1] -= top;
    const auto whole = Perspective(t, 16 * 120, 16 * 40);
    const auto moved = Perspective(t, 16 * -40, 16 * 40);
    ASSERT_GT(whole->Count(), 0);
    for (int y = 0; y < kFrameHeight; ++y) {
      for (int x = 0; x < 240; ++x) {
        ASSERT_EQ(moved->At(x, y), whole->At(x + 160, y));
        if (!moved->At(x, y)) continue;
        const int d = TexelDistance(moved->Value(x, y), whole->Value(x + 160, y));
        ASSERT_LE(d, 2) << x << "," << y;
        ++pixels;
        close += d <= 1 ? 1 : 0;
      }
    }
  }
  EXPECT_GT(pixels, 3000);
  EXPECT_GT(close, pixels * 99 / 100);
}

}  // namespace
}  // namespace vantrelle
