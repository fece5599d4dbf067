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
#include "field_blend.h"

namespace vantrelle {
namespace {

constexpr int kMapWidth = 800;

// The windows straight from the centres' Lissajous paths, S[i] = SinTable[i mod 4096]:
// window k's ox swings over 0..400 with the sine at angle ax_k, oy over 0..240 with ay_k.
std::array<RadialWindow, 4> PathWindows(std::int64_t t) {
  const auto swing = [](std::int64_t angle, std::int64_t span) {
    return static_cast<std::int32_t>(((SinTable[((angle % 4096) + 4096) % 4096] + std::int64_t{65536}) * span) >> 16);
  };
  const auto at = [&](std::int64_t ax, std::int64_t ay) { return RadialWindow{swing(ax, 200), swing(ay, 120)}; };
  return {at(t + 512, t / 2 + 512), at(t / 2, 3 * t / 2), at(2 * t + 1536, t + 1536),
          at(3 * t / 2 + 1024, 2 * t + 1024)};
}

TEST(RadialWindows, FollowTheCentresPathsAndStayInsideTheMaps) {
  BuildSinCosTables();
  RadialWindow least{400, 240};
  RadialWindow most{0, 0};
  for (std::int32_t t = -300000; t <= 300000; ++t) {
    ASSERT_EQ(RadialWindows(t), PathWindows(t)) << "t " << t;
    for (const RadialWindow& w : RadialWindows(t)) {
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

// Uniform maps: the four windows' angle words sum with carries into the
// distance byte, and their glow blends toward white, saturating at 256.
TEST(DrawRadialTexture, SummedWordsCarryAndTheGlowSaturates) {
  BuildSinCosTables();
  std::vector<std::uint16_t> texture(65536);  // colour i at index i: the frame shows the summed words
  std::iota(texture.begin(), texture.end(), std::uint16_t{0});
  auto frame = std::make_unique<FrameBuffer>();
  struct Case {
    std::uint16_t word;
    std::uint8_t glow;
    std::uint16_t colour;
  };
  for (const Case c : {Case{0x00C0, 0, 0x0300},
                       {0x40FF, 0, 0x03FC},
                       {0x7497, 0, 0xD25C},
                       {0, 32, 0x7BEF},
                       {0, 63, 0xF7DE},  // 252/256: still short of white
                       {0, 64, 0xFFFF},
                       {0, 255, 0xFFFF}}) {
    startup::PolarMap.fill(c.word);
    startup::InverseDistanceMap.fill(c.glow);
    DrawRadialTexture(*frame, texture.data(), 70000);
    for (std::uint16_t p : *frame) {
      ASSERT_EQ(p, c.colour) << std::hex << c.word << " glow " << std::dec << int{c.glow};
    }
  }
}

// The effect one pixel at a time straight from the maps and the centres' paths.
std::uint16_t PlainRadialPixel(const std::uint16_t* texture, const std::array<RadialWindow, 4>& windows, int x, int y) {
  std::uint32_t index = 0;
  std::uint32_t glow = 0;
  for (const RadialWindow& w : windows) {
    const int k = (y + w.oy) * kMapWidth + x + w.ox;
    index += PolarMap[k];
    glow += InverseDistanceMap[k];
  }
  const std::uint32_t colour = texture[index & 0xFFFF];
  return effects_test::Toward(colour, 0xFFFF, std::min(glow, 256u));
}

TEST(DrawRadialTexture, WithTheShowsMapsMatchesThePlainPerPixelSum) {
  BuildSinCosTables();
  BuildEffectTables();
  std::mt19937 random(7);
  std::vector<std::uint16_t> texture(65536);
  for (auto& c : texture) c = static_cast<std::uint16_t>(random());
  // Show times, and the first times a window reaches ox = 0 (its centre just
  // past the right edge) and oy = 0 (just below the bottom); at t = 0 window 4
  // sits at (400, 240), its centre on the top-left pixel.
  std::vector<std::int32_t> times = {0, 60984, 66527, 70001, 81311, 88703};
  for (int axis : {0, 1}) {
    const auto atEdge = [axis](std::int32_t t) {
      const auto windows = PathWindows(t);
      return std::any_of(windows.begin(), windows.end(),
                         [&](const RadialWindow& w) { return (axis ? w.oy : w.ox) == 0; });
    };
    std::int32_t t = 0;
    while (!atEdge(t)) ++t;
    times.push_back(t);
  }
  auto frame = std::make_unique<FrameBuffer>();
  for (std::int32_t t : times) {
    DrawRadialTexture(*frame, texture.data(), t);
    const std::array<RadialWindow, 4> windows = PathWindows(t);
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
