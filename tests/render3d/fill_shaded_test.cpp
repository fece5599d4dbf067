#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <random>

#include "fill_test_support.h"
#include "render3d/fillers.h"

namespace vantrelle {
namespace {

using fill_test::Drawn;
using fill_test::PositionTexture;
using fill_test::Render;

// Entry i holds i: a pixel names the table entry it took.
const std::uint16_t* IdentityTable() { return PositionTexture(); }

// Byte maps: the texture names its texel column, the light map its row.
const std::uint8_t* ColumnBytes() {
  static const auto map = [] {
    auto m = std::make_unique<std::array<std::uint8_t, 65536>>();
    for (int i = 0; i < 65536; ++i) (*m)[i] = static_cast<std::uint8_t>(i & 255);
    return m;
  }();
  return map->data();
}
const std::uint8_t* RowBytes() {
  static const auto map = [] {
    auto m = std::make_unique<std::array<std::uint8_t, 65536>>();
    for (int i = 0; i < 65536; ++i) (*m)[i] = static_cast<std::uint8_t>(i >> 8);
    return m;
  }();
  return map->data();
}

using Corners = std::array<std::int32_t, 6>;

std::unique_ptr<Drawn> Gouraud(const Corners& c, std::int32_t s0, std::int32_t s1, std::int32_t s2, std::int32_t dx = 0,
                               std::int32_t dy = 0) {
  return Render([&](FrameBuffer& f) {
    FillGouraud(f, IdentityTable(), fill_test::Corners<1>(c, {{{s0}, {s1}, {s2}}}, dx, dy));
  });
}

// Lit with texture column u and light-map row lv: the pixel is u + 256 * lv.
std::unique_ptr<Drawn> Lit(const Corners& c, const std::array<std::int32_t, 12>& a, std::int32_t dx = 0,
                           std::int32_t dy = 0) {
  return Render([&](FrameBuffer& f) {
    // a: u, v of the three corners, then their light-map u, v.
    const std::array<ScanValues<4>, 3> corners = {
        {{a[0], a[1], a[6], a[7]}, {a[2], a[3], a[8], a[9]}, {a[4], a[5], a[10], a[11]}}};
    FillTexturedLit(f, {ColumnBytes(), RowBytes(), IdentityTable()}, fill_test::Corners<4>(c, corners, dx, dy));
  });
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
  const auto d = Lit({160, 160, 3200, 800, 900, 3000}, {88, 40, 88, 40, 88, 40, 900, 120, 900, 120, 900, 120});
  EXPECT_EQ(d->Value(50, 50), 5 + 256 * 7);
  // u and lv wrap every 4096 like FillTextured's.
  EXPECT_EQ(Lit({160, 160, 3200, 800, 900, 3000}, {-16, 0, -16, 0, -16, 0, 0, 4096 + 32, 0, 4096 + 32, 0, 4096 + 32})
                ->Value(50, 50),
            255 + 256 * 2);
}

TEST(FillTexturedLit, MeasuresTheMiddleRowInWholePixels) {
  // u climbs 100 texels over the 99.94 pixels at the middle corner's row;
  // taken in whole pixels (99) the gradient is 66161, where FillTextured's
  // 16.16 width gives 65462.
  const Corners c{0, 0, 1600, 800, 0, 1600};
  const auto d = Lit(c, {0, 0, 1600, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(d->Value(49, 25) & 255, (49 * 66161) >> 16);
  const auto t = Render([&](FrameBuffer& f) {
    FillTextured(f, PositionTexture(),
                 fill_test::Corners<2>(Corners{0, 0, 1600, 800, 0, 1600}, fill_test::Uv({0, 0, 1600, 0, 0, 0})));
  });
  EXPECT_EQ(t->Value(49, 25) & 255, (49 * 65462) >> 16);
  // Narrower than one pixel at the middle row: every gradient is 1.
  const auto thin = Lit({800, 0, 810, 800, 800, 1600}, {0, 0, 4000, 4000, 0, 0, 0, 0, 4000, 4000, 0, 0});
  EXPECT_GT(thin->Count(), 30);
  // With a flat top both fillers share the gradient formula, so they agree.
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> pos(0, 3000);
  std::uniform_int_distribution<int> tex(-6000, 6000);
  for (int n = 0; n < 20; ++n) {
    const std::int32_t top = pos(rng) / 16 * 16 + 1;  // top corners within one row band
    const Corners flatTop{pos(rng), top, pos(rng), top + n % 8, pos(rng), top + 200 + pos(rng) / 4};
    const std::array<std::int32_t, 6> uv{tex(rng), tex(rng), tex(rng), tex(rng), tex(rng), tex(rng)};
    const auto lit = Lit(flatTop, {uv[0], 0, uv[2], 0, uv[4], 0, 0, uv[1], 0, uv[3], 0, uv[5]});
    const auto tx = Render(
        [&](FrameBuffer& f) { FillTextured(f, PositionTexture(), fill_test::Corners<2>(flatTop, fill_test::Uv(uv))); });
    ASSERT_EQ(lit->written, tx->written);
    ASSERT_EQ(lit->pixels, tx->pixels) << n;
  }
}

}  // namespace
}  // namespace vantrelle
