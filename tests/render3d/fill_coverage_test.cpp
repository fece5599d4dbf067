// Which pixels the flat and textured fillers cover: the ceiling rule against
// exact geometry, in every corner order, at every sub-pixel phase, clipped,
// and on edges whose slopes overflow 32 bits.
#include <gtest/gtest.h>

#include <algorithm>
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
using fill_test::Filler;
using fill_test::RenderWith;

using Corners = std::array<std::int32_t, 6>;

std::unique_ptr<Drawn> Flat(const Corners& c) { return RenderWith(Filler::kFlat, {c, {}, {}}, {}); }

std::unique_ptr<Drawn> Textured(const Corners& c) {
  return RenderWith(Filler::kTextured, {c, {}, fill_test::Uv({100, 200, 900, 300, 500, 1700})},
                    {fill_test::PositionTexture()});
}

// Every order of the three corners, both windings.
std::array<Corners, 6> Orders(const Corners& c) {
  static constexpr int kPerm[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
  std::array<Corners, 6> out{};
  for (int p = 0; p < 6; ++p) {
    for (int i = 0; i < 3; ++i) {
      out[p][2 * i] = c[2 * kPerm[p][i]];
      out[p][2 * i + 1] = c[2 * kPerm[p][i] + 1];
    }
  }
  return out;
}

// The flat filler covers 10 - r pixels of row r in every corner order, its
// right and bottom boundaries left out. The textured filler's reciprocal
// 0x100000 / 160 truncates, so its slanted edge lags a hair behind and rows
// 1..9 reach one pixel further than exact.
TEST(FillCoverage, RightTriangleCoversTheCeilingSpansOfItsEdges) {
  const Corners right{0, 0, 160, 0, 0, 160};
  for (int k = 0; k < 7; ++k) {
    const bool textured = k == 6;
    const auto d = textured ? Textured(right) : Flat(Orders(right)[k]);
    for (int row = 0; row <= 10; ++row) {
      const int end = 10 - row + (textured && row > 0 && row < 10 ? 1 : 0);
      for (int x = 0; x < 12; ++x) {
        ASSERT_EQ(d->At(x, row), x < end) << "drawing " << k << " pixel " << x << "," << row;
        if (!textured && x < end) {
          ASSERT_EQ(d->Value(x, row), fill_test::kFlatColour);
        }
      }
    }
    EXPECT_EQ(d->Count(), textured ? 64 : 55) << "drawing " << k;
  }
}

// Small triangles shifted through all 256 sub-pixel phases, against exact
// geometry, in every corner order.
TEST(FillCoverage, TinyTrianglesMatchExactCoverageAtEverySubPixelPhase) {
  const std::array<Corners, 5> shapes = {{
      {0, 0, 40, 8, 13, 37},
      {0, 0, 5, 3, 2, 20},
      {0, 0, 33, 0, 16, 31},
      {7, 0, 0, 25, 30, 24},
      {0, 5, 48, 0, 20, 47},
  }};
  int covered = 0;
  for (const auto& shape : shapes) {
    for (int phase = 0; phase < 256; ++phase) {
      Corners c = shape;
      for (int i = 0; i < 3; ++i) {
        c[2 * i] += 1600 + phase % 16;
        c[2 * i + 1] += 1600 + phase / 16;
      }
      // The flat filler in every corner order; the textured one, whose
      // reciprocal slopes may err by a quarter sixteenth, as given.
      for (int k = 0; k < 7; ++k) {
        const auto d = k < 6 ? Flat(Orders(c)[k]) : Textured(c);
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
TEST(FillCoverage, LargeAndClippedTrianglesMatchExactCoverage) {
  std::vector<Corners> cases = {{-800, 100, 900, 1700, -1600, 3000},
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

// Row r covers columns 0 .. ends[r] - 1.
TEST(FillCoverage, WideAndNearlyFlatEdgesKeepTheirSlope) {
  const struct {
    bool textured;
    Corners xy;
    std::array<int, 4> ends;
  } cases[] = {
      // An edge 2500 pixels wide over two rows: (dX << 16) passes 2^31. Row 1
      // lies 1 of its 32 sixteenths below corner 0: 2500 px / 32 = 78.125 px.
      {false, {0, 15, 40000, 47, 0, 3200}, {0, 79, 400, 400}},
      // Edge 0->1 climbs 2 sixteenths over 400 pixels: (dX * r) reaches 3.4e9.
      // Row 1 is one sixteenth below corner 0: half of 400 pixels. Edge 1->2
      // (r = 329, step -131600) pre-stepped by 15: 26091025 = 398.1 px; one
      // step on: 25959425 = 396.1 px.
      {true, {0, 15, 6400, 17, 0, 3200}, {0, 200, 399, 397}},
  };
  for (const auto& c : cases) {
    const auto d = c.textured ? Textured(c.xy) : Flat(c.xy);
    for (int row = 0; row < 4; ++row) {
      for (int x = 0; x < kFrameWidth; ++x)
        ASSERT_EQ(d->At(x, row), x < c.ends[row]) << (c.textured ? "textured " : "flat ") << x << "," << row;
    }
  }
}

}  // namespace
}  // namespace vantrelle
