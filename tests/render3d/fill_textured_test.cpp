#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>

#include "fill_test_support.h"
#include "render3d/fillers.h"

namespace vantrelle {
namespace {

using fill_test::Cover;
using fill_test::Drawn;
using fill_test::ExactCover;
using fill_test::PositionTexture;
using fill_test::Render;

struct Tri {
  std::array<std::int32_t, 6> xy;  // x16
  std::array<std::int32_t, 6> uv;  // 1/16 texel
};

std::unique_ptr<Drawn> Textured(const Tri& t, std::int32_t dx = 0, std::int32_t dy = 0,
                                const std::uint16_t* texture = PositionTexture()) {
  return Render(
      [&](FrameBuffer& f) { FillTextured(f, texture, fill_test::Corners<2>(t.xy, fill_test::Uv(t.uv), dx, dy)); });
}

int Column(std::uint16_t texel) { return texel & 255; }
int Row(std::uint16_t texel) { return texel >> 8; }

TEST(FillTextured, CoversTheCeilingSpansOfItsSteppedEdges) {
  const auto d = Textured({{0, 0, 160, 0, 0, 160}, {0, 0, 0, 0, 0, 0}});
  // The reciprocal 0x100000 / 160 truncates, so the slanted edge lags a
  // hair behind 10 - r and rows 1..9 reach one pixel further than exact.
  for (int x = 0; x < 12; ++x) EXPECT_EQ(d->At(x, 0), x < 10);
  for (int row = 1; row < 10; ++row) {
    for (int x = 0; x < 12; ++x) EXPECT_EQ(d->At(x, row), x < 11 - row) << x << "," << row;
  }
  for (int x = 0; x < 12; ++x) EXPECT_FALSE(d->At(x, 10));
}

TEST(FillTextured, TextureCoordinatesWrapEvery4096) {
  // Constant coordinates: every pixel takes one texel.
  const auto texelOf = [](std::int32_t u, std::int32_t v) {
    const auto d = Textured({{1600, 160, 3200, 800, 2000, 1600}, {u, v, u, v, u, v}});
    EXPECT_GT(d->Count(), 1000);
    return d->Value(120, 40);
  };
  EXPECT_EQ(texelOf(4096, 0), 0);
  EXPECT_EQ(texelOf(0, 4096), 0);
  EXPECT_EQ(Column(texelOf(-16, 0)), 255);
  EXPECT_EQ(Row(texelOf(0, -16)), 255);
  EXPECT_EQ(texelOf(4096 + 5 * 16, 8192 + 7 * 16), 7 * 256 + 5);
  EXPECT_EQ(texelOf(-4096 - 15, -1), 255 * 256 + 255);
  // Whole turns of the texture added to every corner change nothing.
  const Tri a{{1600, 160, 3200, 800, 2000, 1600}, {0, 0, 2000, 300, 700, 4000}};
  Tri b = a;
  for (int i = 0; i < 6; ++i) b.uv[i] += (i % 2 == 0 ? 4096 : -8192);
  EXPECT_EQ(Textured(a)->pixels, Textured(b)->pixels);
}

TEST(FillTextured, CornersSharingXInOneRowBandGiveUnitGradients) {
  // Corners 0 and 1 at X = 160 within row band 2; edge 1->2 is the left edge
  // and carries u = v = 0.5 texel, so with gradients of 1/65536 texel per
  // pixel every row stays on texel (0, 0) although corner 0 says otherwise.
  const auto d = Textured({{160, 17, 160, 30, 1600, 800}, {3000, 2000, 8, 8, 8, 8}});
  EXPECT_GT(d->Count(), 20);
  for (int i = 0; i < kFramePixels; ++i) {
    if (d->written[i]) {
      ASSERT_EQ(d->pixels[i], 0) << i;
    }
  }
}

// Edge 0->1 climbs 2 sixteenths over 400 pixels: (dX * r) reaches 3.4e9.
TEST(FillTextured, NearlyFlatEdgesKeepTheirSlope) {
  const auto d = Textured({{0, 15, 6400, 17, 0, 3200}, {0, 0, 0, 0, 0, 0}});
  // Row 1 is one sixteenth below corner 0: half of 400 pixels.
  for (int x = 0; x < kFrameWidth; ++x) EXPECT_EQ(d->At(x, 1), x < 200) << x;
  // Edge 1->2 (r = 329, step -131600) pre-stepped by 15: 26091025 = 398.1 px.
  for (int x = 0; x < kFrameWidth; ++x) EXPECT_EQ(d->At(x, 2), x < 399) << x;
  // One step on: 25959425 = 396.1 px.
  for (int x = 0; x < kFrameWidth; ++x) EXPECT_EQ(d->At(x, 3), x < 397) << x;
  for (int x = 0; x < kFrameWidth; ++x) EXPECT_FALSE(d->At(x, 0));
}

}  // namespace
}  // namespace vantrelle
