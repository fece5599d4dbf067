#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

#include "assets/build_effect_tables.h"
#include "assets/effect_tables.h"
#include "core/frame_buffer.h"
#include "core/sin_tables.h"
#include "effects/radial_texture.h"

namespace vantrelle {
namespace {

constexpr int kMapWidth = 800;
constexpr int kMapCentre = 240 * kMapWidth + 400;

// A texture whose colour is its own index, so the frame shows the summed map words.
std::vector<std::uint16_t> IndexTexture() {
  std::vector<std::uint16_t> texture(65536);
  std::iota(texture.begin(), texture.end(), std::uint16_t{0});
  return texture;
}

void FillMaps(std::uint16_t polar, std::uint8_t glow) {
  startup::PolarMap.fill(polar);
  startup::InverseDistanceMap.fill(glow);
}

TEST(RadialWindows, StayInsideTheMapsAndReachBothEnds) {
  BuildSinCosTables();
  const std::array<RadialWindow, 4> atZero = RadialWindows(0);
  EXPECT_EQ(atZero[0], (RadialWindow{341, 204}));
  EXPECT_EQ(atZero[1], (RadialWindow{200, 120}));
  EXPECT_EQ(atZero[2], (RadialWindow{341, 204}));
  EXPECT_EQ(atZero[3], (RadialWindow{400, 240}));

  RadialWindow least{400, 240};
  RadialWindow most{0, 0};
  for (std::int32_t t = -300000; t <= 300000; ++t) {
    for (const RadialWindow& w : RadialWindows(t)) {
      ASSERT_TRUE(w.ox >= 0 && w.ox <= 400 && w.oy >= 0 && w.oy <= 240) << "t " << t;
      least = {std::min(least.ox, w.ox), std::min(least.oy, w.oy)};
      most = {std::max(most.ox, w.ox), std::max(most.oy, w.oy)};
    }
  }
  EXPECT_EQ(least, (RadialWindow{0, 0}));
  EXPECT_EQ(most, (RadialWindow{400, 240}));
  for (std::int32_t t : {INT32_MIN, INT32_MAX}) {
    for (const RadialWindow& w : RadialWindows(t)) {
      EXPECT_TRUE(w.ox >= 0 && w.ox <= 400 && w.oy >= 0 && w.oy <= 240) << "t " << t;
    }
  }
}

// Marks the map centre with 1 and the pixel up-left of it with 0x0100, then
// checks that each window shows the marks where its centre says they are.
void ExpectCentresWhereTheWindowsPutThem(std::int32_t t) {
  FillMaps(0, 0);
  startup::PolarMap[kMapCentre] = 1;
  startup::PolarMap[kMapCentre - kMapWidth - 1] = 0x0100;
  const std::vector<std::uint16_t> texture = IndexTexture();
  auto frame = std::make_unique<FrameBuffer>();
  DrawRadialTexture(*frame, texture.data(), t);

  FrameBuffer expected{};
  for (const RadialWindow& w : RadialWindows(t)) {
    const int x = 400 - w.ox, y = 240 - w.oy;
    if (x < 400 && y < 240) expected[y * 400 + x] += 1;
    if (x >= 1 && y >= 1) expected[(y - 1) * 400 + x - 1] += 0x0100;
  }
  EXPECT_EQ(*frame, expected) << "t " << t;
}

TEST(DrawRadialTexture, EachWindowSeesItsCentreAtFourHundredMinusItsOffset) {
  BuildSinCosTables();
  // At t = 0 window 4 sits at (400, 240): its centre is the top-left pixel.
  ExpectCentresWhereTheWindowsPutThem(0);
  {
    const std::vector<std::uint16_t> texture = IndexTexture();
    auto frame = std::make_unique<FrameBuffer>();
    DrawRadialTexture(*frame, texture.data(), 0);
    EXPECT_EQ((*frame)[0], 1);
    EXPECT_EQ((*frame)[36 * 400 + 59], 2);  // windows 1 and 3 share (341, 204)
    EXPECT_EQ((*frame)[120 * 400 + 200], 1);
  }

  // A window at ox = 0 puts its centre in column 400, just past the right edge,
  // and one at oy = 0 in row 240, just below the bottom: only the neighbour
  // marks at column 399 or row 239 show. (No show time puts one window at both.)
  std::int32_t rightEdgeTime = -1;
  std::int32_t bottomEdgeTime = -1;
  for (std::int32_t t = 0; t < 100000 && (rightEdgeTime < 0 || bottomEdgeTime < 0); ++t) {
    for (const RadialWindow& w : RadialWindows(t)) {
      if (w.ox == 0 && rightEdgeTime < 0) rightEdgeTime = t;
      if (w.oy == 0 && bottomEdgeTime < 0) bottomEdgeTime = t;
    }
  }
  ASSERT_GE(rightEdgeTime, 0);
  ASSERT_GE(bottomEdgeTime, 0);
  ExpectCentresWhereTheWindowsPutThem(rightEdgeTime);
  ExpectCentresWhereTheWindowsPutThem(bottomEdgeTime);
  for (std::int32_t t : {60984, 66527, 75000, 88703}) {
    ExpectCentresWhereTheWindowsPutThem(t);
  }
}

TEST(DrawRadialTexture, SummedAnglesCarryIntoTheSummedDistances) {
  BuildSinCosTables();
  const std::vector<std::uint16_t> texture = IndexTexture();
  auto frame = std::make_unique<FrameBuffer>();
  for (auto [word, index] : {std::pair<std::uint16_t, std::uint16_t>{0x00C0, 0x0300},
                             {0x40FF, 0x03FC},
                             {0x7497, 0xD25C}}) {
    FillMaps(word, 0);
    DrawRadialTexture(*frame, texture.data(), 70000);
    for (std::uint16_t p : *frame) {
      ASSERT_EQ(p, index) << std::hex << word;
    }
  }
}

TEST(DrawRadialTexture, GlowBlendsTowardWhiteAndSaturatesAt256) {
  BuildSinCosTables();
  const std::vector<std::uint16_t> texture(65536, 0x1234);
  auto frame = std::make_unique<FrameBuffer>();
  for (auto [glow, colour] : {std::pair<std::uint8_t, std::uint16_t>{0, 0x1234},
                              {32, 0x8519},  // half way from 0x1234 to white
                              {63, 0xF7DE},  // 252/256: still short of white
                              {64, 0xFFFF},
                              {255, 0xFFFF}}) {
    FillMaps(0, glow);
    DrawRadialTexture(*frame, texture.data(), 62000);
    for (std::uint16_t p : *frame) {
      ASSERT_EQ(p, colour) << "glow " << int{glow};
    }
  }
}

// The effect as first written, one pixel at a time straight from the maps.
std::uint16_t PlainRadialPixel(const std::uint16_t* texture, const std::array<RadialWindow, 4>& windows, int x,
                               int y) {
  std::uint32_t index = 0;
  std::uint32_t glow = 0;
  for (const RadialWindow& w : windows) {
    const int k = (y + w.oy) * kMapWidth + x + w.ox;
    index += PolarMap[k];
    glow += InverseDistanceMap[k];
  }
  const std::uint32_t colour = texture[index & 0xFFFF];
  const std::uint32_t l = std::min(glow, 256u);
  std::uint32_t out = 0;
  for (std::uint32_t m : {0xF800u, 0x07E0u, 0x001Fu}) {
    out |= (((colour & m) * (256 - l) + l * m) >> 8) & m;
  }
  return static_cast<std::uint16_t>(out);
}

TEST(DrawRadialTexture, WithTheShowsMapsMatchesThePlainPerPixelSum) {
  BuildSinCosTables();
  BuildEffectTables();
  std::mt19937 random(7);
  std::vector<std::uint16_t> texture(65536);
  for (auto& c : texture) c = static_cast<std::uint16_t>(random());
  auto frame = std::make_unique<FrameBuffer>();
  for (std::int32_t t : {0, 60984, 66527, 70001, 81311, 88703}) {
    DrawRadialTexture(*frame, texture.data(), t);
    const std::array<RadialWindow, 4> windows = RadialWindows(t);
    for (int y = 0; y < 240; ++y) {
      for (int x = 0; x < 400; ++x) {
        ASSERT_EQ((*frame)[y * 400 + x], PlainRadialPixel(texture.data(), windows, x, y))
            << "t " << t << " at " << x << "," << y;
      }
    }
    // Around a centre its glow alone reaches white (the centre pixel itself has
    // no distance to divide by, so the maps may hold anything there).
    for (const RadialWindow& w : windows) {
      const int cx = 400 - w.ox, cy = 240 - w.oy;
      for (int y = std::max(0, cy - 2); y <= std::min(239, cy + 2); ++y) {
        for (int x = std::max(0, cx - 2); x <= std::min(399, cx + 2); ++x) {
          if (x == cx && y == cy) continue;
          EXPECT_EQ((*frame)[y * 400 + x], 0xFFFF) << "t " << t << " at " << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
}  // namespace vantrelle
