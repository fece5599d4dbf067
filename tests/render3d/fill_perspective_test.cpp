#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>

#include "fill_test_support.h"
#include "render3d/fillers.h"

namespace vantrelle {
namespace {

using fill_test::Drawn;
using fill_test::PositionTexture;
using fill_test::Render;

// Screen corners (x16) with depth (16.16) and texture coordinates (1/16 texel).
struct Tri {
  std::array<std::int32_t, 9> xyz;
  std::array<std::int32_t, 6> uv;
};

PerspectiveTriangle WithDepth(const Tri& t, std::int32_t dx, std::int32_t dy) {
  PerspectiveTriangle p;
  for (int k = 0; k < 3; ++k)
    p[k] = {t.xyz[3 * k] + dx, t.xyz[3 * k + 1] + dy, {t.xyz[3 * k + 2], t.uv[2 * k], t.uv[2 * k + 1]}};
  return p;
}

std::unique_ptr<Drawn> Perspective(const Tri& t, std::int32_t dx = 0, std::int32_t dy = 0) {
  return Render([&](FrameBuffer& f) { FillPerspective(f, PositionTexture(), WithDepth(t, dx, dy)); });
}

std::unique_ptr<Drawn> Affine(const Tri& t) {
  return Render([&](FrameBuffer& f) {
    const std::array<std::int32_t, 6> xy = {t.xyz[0], t.xyz[1], t.xyz[3], t.xyz[4], t.xyz[6], t.xyz[7]};
    FillTextured(f, PositionTexture(), fill_test::Corners<2>(xy, fill_test::Uv(t.uv)));
  });
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
Tri Project(const std::array<double, 9>& p, const std::array<std::int32_t, 6>& uv) {
  Tri t{};
  for (int i = 0; i < 3; ++i) {
    const double x = p[3 * i], y = p[3 * i + 1], z = p[3 * i + 2];
    t.xyz[3 * i] = static_cast<std::int32_t>(std::lround(3200 + 4096 * x / z));
    t.xyz[3 * i + 1] = static_cast<std::int32_t>(std::lround(1920 - 4096 * y / z));
    t.xyz[3 * i + 2] = static_cast<std::int32_t>(std::lround(65536 * z));
  }
  t.uv = uv;
  return t;
}

// Perspective-correct texel (column, row) at the sample (16x, 16y) of a
// screen triangle: u/z, v/z and 1/z interpolate linearly on the screen.
std::uint16_t ExactTexel(const Tri& t, int x, int y) {
  const double px = 16.0 * x, py = 16.0 * y;
  const double x0 = t.xyz[0], y0 = t.xyz[1], x1 = t.xyz[3], y1 = t.xyz[4], x2 = t.xyz[6], y2 = t.xyz[7];
  const double area = (x1 - x0) * (y2 - y0) - (x2 - x0) * (y1 - y0);
  const double b1 = ((px - x0) * (y2 - y0) - (x2 - x0) * (py - y0)) / area;
  const double b2 = ((x1 - x0) * (py - y0) - (px - x0) * (y1 - y0)) / area;
  const double b[3] = {1 - b1 - b2, b1, b2};
  double q = 0, uq = 0, vq = 0;
  for (int i = 0; i < 3; ++i) {
    const double inv = 1.0 / t.xyz[3 * i + 2];
    q += b[i] * inv;
    uq += b[i] * inv * t.uv[2 * i] / 16.0;
    vq += b[i] * inv * t.uv[2 * i + 1] / 16.0;
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
    const Tri t = Project(plane, {0, 0, 4000, 0, 2000, 4000});
    const auto p = Perspective(t);
    const auto a = Affine(t);
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

TEST(FillPerspective, ClippedPixelsKeepTheirUnclippedTexels) {
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
    Tri t = Project(corners, uv);
    // Anchor the triangle's box at the origin (it spans under 160 pixels).
    const std::int32_t left = std::min({t.xyz[0], t.xyz[3], t.xyz[6]}) / 16 * 16;
    const std::int32_t top = std::min({t.xyz[1], t.xyz[4], t.xyz[7]}) / 16 * 16;
    for (int i = 0; i < 3; ++i) {
      t.xyz[3 * i] -= left;
      t.xyz[3 * i + 1] -= top;
    }
    const auto draw = [&](FrameBuffer& f, std::int32_t dx, std::int32_t dy) {
      FillPerspective(f, PositionTexture(), WithDepth(t, dx, dy));
    };
    // Rows and the right edge clip without moving a texel.
    for (const auto& [sx, sy] : {std::pair{0, -110}, {0, -189}, {200, 0}, {0, 150}, {170, 120}}) {
      fill_test::ExpectSameUnderShift(draw, 120, 40, sx, sy);
      if (HasFatalFailure()) return;
    }
    // A left clip restarts the 16-pixel runs at column 0: texels agree to
    // within the runs' rounding.
    const auto whole = Perspective(t, 16 * 120, 16 * 40);
    const auto moved = Perspective(t, 16 * -40, 16 * 40);
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
