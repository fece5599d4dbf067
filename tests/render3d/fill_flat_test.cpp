#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "fill_test_support.h"
#include "render3d/fillers.h"

namespace vantrelle {
namespace {

using fill_test::Cover;
using fill_test::Drawn;
using fill_test::ExactCover;

constexpr std::uint16_t kColour = 0x1234;

std::unique_ptr<Drawn> Flat(const std::array<std::int64_t, 6>& c) {
  return fill_test::Render([&](FrameBuffer& f) { FillFlat(f, kColour, fill_test::Corners<0>(c, {})); });
}

// Every order of the three corners, both windings.
std::array<std::array<std::int64_t, 6>, 6> Orders(const std::array<std::int64_t, 6>& c) {
  static constexpr int kPerm[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
  std::array<std::array<std::int64_t, 6>, 6> out{};
  for (int p = 0; p < 6; ++p) {
    for (int i = 0; i < 3; ++i) {
      out[p][2 * i] = c[2 * kPerm[p][i]];
      out[p][2 * i + 1] = c[2 * kPerm[p][i] + 1];
    }
  }
  return out;
}

TEST(FillFlat, RightTriangleCoversCeilingSpansInEveryCornerOrder) {
  for (const auto& c : Orders({0, 0, 160, 0, 0, 160})) {
    const auto d = Flat(c);
    EXPECT_EQ(d->Count(), 10 + 9 + 8 + 7 + 6 + 5 + 4 + 3 + 2 + 1);
    for (int row = 0; row < 10; ++row) {
      for (int x = 0; x < 12; ++x) {
        EXPECT_EQ(d->At(x, row), x < 10 - row) << "pixel " << x << "," << row;
      }
      if (d->At(0, row)) {
        EXPECT_EQ(d->Value(0, row), kColour);
      }
    }
    // The exact right boundary (column 10) and bottom boundary (row 10) stay out.
    EXPECT_FALSE(d->At(10, 0));
    EXPECT_FALSE(d->At(0, 10));
  }
}

// Small triangles shifted through all 256 sub-pixel phases, against exact
// geometry, in every corner order.
TEST(FillFlat, TinyTrianglesMatchExactCoverageAtEverySubPixelPhase) {
  const std::array<std::array<std::int64_t, 6>, 5> shapes = {{
      {0, 0, 40, 8, 13, 37},
      {0, 0, 5, 3, 2, 20},
      {0, 0, 33, 0, 16, 31},
      {7, 0, 0, 25, 30, 24},
      {0, 5, 48, 0, 20, 47},
  }};
  int covered = 0;
  for (const auto& shape : shapes) {
    for (int phase = 0; phase < 256; ++phase) {
      std::array<std::int64_t, 6> c = shape;
      for (int i = 0; i < 3; ++i) {
        c[2 * i] += 1600 + phase % 16;
        c[2 * i + 1] += 1600 + phase / 16;
      }
      // The flat filler in every corner order; the textured one, whose
      // reciprocal slopes may err by a quarter sixteenth, as given.
      auto textured = fill_test::Render([&](FrameBuffer& f) {
        FillTextured(f, fill_test::SolidTexture(),
                     fill_test::Corners<2>(c, fill_test::Uv({100, 200, 900, 300, 500, 1700})));
      });
      for (int k = 0; k < 7; ++k) {
        const auto d = k < 6 ? Flat(Orders(c)[k]) : std::move(textured);
        const double tolerance = k < 6 ? 1e-3 : 0.25;
        for (int y = 95; y < 110; ++y) {
          for (int x = 95; x < 110; ++x) {
            const Cover want = ExactCover(c, x, y, tolerance);
            if (want == Cover::kEither) continue;
            ASSERT_EQ(d->At(x, y), want == Cover::kIn)
                << "phase " << phase << " pixel " << x << "," << y << (k < 6 ? " flat, order " : " textured ") << k;
            covered += want == Cover::kIn ? 1 : 0;
          }
        }
      }
    }
  }
  EXPECT_GT(covered, 10000);
}

// Triangles around each edge and corner of the frame, one covering it all,
// then random ones reaching past the edges: only frame pixels are written and
// those match exact coverage.
TEST(FillFlat, LargeAndClippedTrianglesMatchExactCoverage) {
  std::vector<std::array<std::int64_t, 6>> cases = {
      {-800, 100, 900, 1700, -1600, 3000},
      {6000, 300, 7200, 800, 6300, 2000},
      {800, -900, 2400, 500, 1600, -200},
      {3000, 3700, 4000, 4200, 2500, 3900},
      {-10000, -10000, 30000, -10000, -10000, 30000},
      {6380, 3820, 6420, 3822, 6390, 3850}};  // the bottom-right corner pixel
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> xs(-3000, 9400);
  std::uniform_int_distribution<int> ys(-2000, 5800);
  for (int n = 0; n < 60; ++n) cases.push_back({xs(rng), ys(rng), xs(rng), ys(rng), xs(rng), ys(rng)});
  for (const auto& c : cases) {
    const auto d = Flat(c);
    for (int y = 0; y < kFrameHeight; ++y) {
      for (int x = 0; x < kFrameWidth; ++x) {
        const Cover want = ExactCover(c, x, y, 0.05);
        if (want != Cover::kEither) {
          ASSERT_EQ(d->At(x, y), want == Cover::kIn) << c[0] << "," << c[1] << ": " << x << "," << y;
        }
      }
    }
  }
  EXPECT_EQ(Flat(cases[4])->Count(), kFramePixels);
  EXPECT_TRUE(Flat(cases[5])->At(399, 239));
}

// An edge 2500 pixels wide over two rows: (dX << 16) passes 2^31.
TEST(FillFlat, WideEdgesKeepTheirSlope) {
  const auto d = Flat({0, 15, 40000, 47, 0, 3200});
  // Row 1 lies 1 of the edge's 32 sixteenths below corner 0: 2500 px / 32 = 78.125 px.
  for (int x = 0; x < kFrameWidth; ++x) EXPECT_EQ(d->At(x, 1), x <= 78) << x;
  // Rows 2 and 3 lie wholly inside the triangle up to the frame's right edge.
  for (int x = 0; x < kFrameWidth; ++x) {
    EXPECT_TRUE(d->At(x, 2));
    EXPECT_TRUE(d->At(x, 3));
  }
  EXPECT_FALSE(d->At(0, 0));
}

}  // namespace
}  // namespace vantrelle
