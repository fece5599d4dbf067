#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <string>

#include "fill_test_support.h"
#include "frame_hashes.h"
#include "render3d/fillers.h"

namespace vantrelle {
namespace {

using fill_test::Args;
using fill_test::Filler;
using fill_test::kFillers;
using fill_test::RenderWith;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// Tables of no particular meaning for the fillers to read.
const fill_test::Inks& SomeInks() {
  struct Tables {
    std::array<std::uint16_t, 65536> words;
    std::array<std::uint8_t, 65536> bytes;
  };
  static const auto tables = [] {
    auto t = std::make_unique<Tables>();
    for (int i = 0; i < 65536; ++i) {
      t->words[i] = static_cast<std::uint16_t>(i * 7 + 1);
      t->bytes[i] = static_cast<std::uint8_t>(i * 13 + i / 256);
    }
    return t;
  }();
  static const fill_test::Inks inks{tables->words.data(), tables->bytes.data(), tables->bytes.data()};
  return inks;
}

void DrawWith(int filler, FrameBuffer& f, const Args& g) { fill_test::Draw(kFillers[filler], f, g, SomeInks()); }

constexpr int kFillerCount = static_cast<int>(std::size(kFillers));

// The frame between two guard bands that no filler may touch.
struct GuardedFrame {
  std::array<std::uint16_t, 4096> before;
  FrameBuffer frame;
  std::array<std::uint16_t, 4096> after;
};

TEST(Fillers, NeverWriteOutsideTheFrameWhateverTheCorners) {
  std::mt19937 rng(1);
  const std::array<std::int32_t, 12> extremes = {kMin, kMin + 1, kMax, kMax - 15, -1,   0,
                                                 1,    6399,     6400, 3839,      3840, 1 << 30};
  std::uniform_int_distribution<int> pick(0, 3);
  std::uniform_int_distribution<int> onScreen(-200, 6600);
  std::uniform_int_distribution<int> far(-400000, 400000);
  std::uniform_int_distribution<std::int32_t> any(kMin, kMax);
  std::uniform_int_distribution<int> extreme(0, static_cast<int>(extremes.size()) - 1);
  const auto value = [&]() -> std::int32_t {
    const int kind = pick(rng);
    return kind == 0 ? onScreen(rng) : kind == 1 ? far(rng) : kind == 2 ? extremes[extreme(rng)] : any(rng);
  };
  auto guarded = std::make_unique<GuardedFrame>();
  guarded->before.fill(0xDEAD);
  guarded->after.fill(0xBEEF);
  int drawn = 0;
  for (int n = 0; n < 3000; ++n) {
    Args g{};
    for (auto& v : g.xy) v = value();
    for (auto& v : g.z) v = n % 3 == 0 ? value() : 70000 + onScreen(rng) * 16;
    for (auto& v : g.a) v = value();
    guarded->frame.fill(0);
    DrawWith(n % kFillerCount, guarded->frame, g);
    for (std::uint16_t p : guarded->frame) drawn += p != 0 ? 1 : 0;
    for (std::uint16_t w : guarded->before) ASSERT_EQ(w, 0xDEAD) << n;
    for (std::uint16_t w : guarded->after) ASSERT_EQ(w, 0xBEEF) << n;
  }
  EXPECT_GT(drawn, 100000);
}

TEST(Fillers, TrianglesWithinOneRowBandWriteNothing) {
  for (int filler = 0; filler < kFillerCount; ++filler) {
    for (const auto& xy : {std::array<std::int32_t, 6>{0, 1, 320, 8, 64, 16},
                           {6000, 16, 0, 1, 3000, 8},
                           {0, 50, 3000, 50, 6000, 50},
                           {100, 100, 100, 100, 100, 100}}) {
      const Args g{xy, {80000, 90000, 100000}, {0, 0, 0, 0, 4000, 4000, 4000, 4000, 0, 4000, 0, 4000}};
      EXPECT_EQ(RenderWith(kFillers[filler], g, SomeInks())->Count(), 0) << filler;
    }
    // Y = 0, 0, 16: exactly one row band, row 0 only.
    const Args one{{0, 0, 160, 0, 0, 16}, {80000, 80000, 80000}, {}};
    EXPECT_EQ(RenderWith(kFillers[filler], one, SomeInks())->Count(), 10) << filler;
  }
}

// Gouraud, lit and perspective fillers walk their edges exactly like
// FillTextured, nearly flat ones included.
TEST(Fillers, EdgeWalkIsSharedByTheReciprocalFillers) {
  std::mt19937 rng(4);
  std::uniform_int_distribution<int> xs(-3000, 9400);
  std::uniform_int_distribution<int> ys(-2000, 5800);
  std::uniform_int_distribution<int> flat(0, 3);
  for (int n = 0; n < 40; ++n) {
    Args g{{xs(rng), ys(rng), xs(rng), ys(rng), xs(rng), ys(rng)}, {80000, 90000, 100000}, {}};
    if (n % 3 == 0) g.xy[3] = g.xy[1] + flat(rng);  // a nearly flat edge 0->1
    const auto textured = RenderWith(Filler::kTextured, g, SomeInks());
    for (int filler : {1, 3, 4}) {
      ASSERT_EQ(RenderWith(kFillers[filler], g, SomeInks())->written, textured->written)
          << "filler " << filler << " triangle " << n;
    }
  }
}

// A whole-pixel move changes no sub-pixel quantity, so clipping at any edge
// keeps every remaining pixel's value (the perspective filler's runs restart
// at a left clip: FillPerspective.LeftClipKeepsTexelsWithinTheRunsRounding).
TEST(Fillers, ClippedPixelsKeepTheirUnclippedValues) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> corner(0, 2400);  // within 150 pixels
  std::uniform_int_distribution<int> coordinate(-9000, 9000);
  std::uniform_int_distribution<int> depth(65536, 163840);
  for (int n = 0; n < 32; ++n) {
    Args g{};
    for (auto& c : g.xy) c = corner(rng);
    for (auto& a : g.a) a = coordinate(rng);
    for (auto& z : g.z) z = depth(rng);
    const Filler filler = kFillers[1 + n % 4];  // all but the flat one
    // Wholly inside the frame at (120, 40), then moved by whole pixels past its edges.
    const auto whole = RenderWith(filler, g, SomeInks(), 16 * 120, 16 * 40);
    ASSERT_GT(whole->Count(), 0) << "the unmoved triangle draws nothing: the comparison would prove nothing";
    for (const auto& [sx, sy] : {std::pair{-190, 0},
                                 {-100, -60},
                                 {0, -110},
                                 {170, -30},
                                 {200, 0},
                                 {130, 120},
                                 {0, 150},
                                 {-160, 100},
                                 {-269, 0},
                                 {0, -189}}) {
      if (filler == Filler::kPerspective && sx < 0) continue;
      const auto moved = RenderWith(filler, g, SomeInks(), 16 * (120 + sx), 16 * (40 + sy));
      for (int y = 0; y < kFrameHeight; ++y) {
        for (int x = 0; x < kFrameWidth; ++x) {
          const int fx = x - sx, fy = y - sy;
          const bool inside = fx >= 0 && fx < kFrameWidth && fy >= 0 && fy < kFrameHeight;
          ASSERT_EQ(moved->At(x, y), inside && whole->At(fx, fy)) << x << "," << y << " moved " << sx << "," << sy;
          if (moved->At(x, y)) {
            ASSERT_EQ(moved->Value(x, y), whole->Value(fx, fy)) << x << "," << y << " moved " << sx << "," << sy;
          }
        }
      }
    }
  }
}

// A fixed scene per filler, drawn over a cleared frame: mixed sizes, some
// clipped, the skybox's depths. Any change to a filler's output shows here.
TEST(Fillers, FixedScenesKeepTheirFrames) {
  for (int filler = 0; filler < kFillerCount; ++filler) {
    std::mt19937 rng(100 + filler);
    const auto in = [&](int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1)); };
    auto frame = std::make_unique<FrameBuffer>();
    frame->fill(0);
    for (int n = 0; n < 60; ++n) {
      const int size = n % 3 == 0 ? 3000 : 400;
      const int cx = in(-800, 7200), cy = in(-800, 4600);
      Args g{};
      for (int i = 0; i < 3; ++i) {
        g.xy[2 * i] = cx + in(-size, size);
        g.xy[2 * i + 1] = cy + in(-size, size);
        g.z[i] = in(65536, 111411);
      }
      for (auto& v : g.a) v = in(-4096, 8192);
      DrawWith(filler, *frame, g);
    }
    EXPECT_FRAME_HASH("filler" + std::to_string(filler), FrameHash(*frame));
  }
}

}  // namespace
}  // namespace vantrelle
