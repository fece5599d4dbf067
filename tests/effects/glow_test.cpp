#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "core/frame_buffer.h"
#include "effects/glow.h"

namespace vantrelle {
namespace {

std::uint16_t At(const FrameBuffer& f, int column, int row) { return f[row * kFrameWidth + column]; }

// The glow as a plain box average per half-resolution cell, without running
// sums: the oracle for the fast passes.
FrameBuffer GlowByDirectSums(const FrameBuffer& in) {
  constexpr int W = kFrameWidth / 2;
  constexpr int H = kFrameHeight / 2;
  static std::uint32_t rows[H][W][3];
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      std::int32_t s[3] = {0, 0, 0};
      for (int k = x - 8; k < x + 8; ++k) {
        if (k < 0 || k >= W) continue;
        const std::uint32_t p = in[2 * y * kFrameWidth + 2 * k];
        s[0] += (p >> 8) & 0xF8;
        s[1] += (p >> 3) & 0xFC;
        s[2] += (p & 0x1F) << 3;
      }
      for (int c = 0; c < 3; ++c) rows[y][x][c] = static_cast<std::uint32_t>((s[c] * 3855) >> 16);
    }
  }
  FrameBuffer out = in;
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      std::int32_t s[3] = {0, 0, 0};
      for (int k = y - 8; k < y + 8; ++k) {
        if (k < 0 || k >= H) continue;
        for (int c = 0; c < 3; ++c) s[c] += static_cast<std::int32_t>(rows[k][x][c]);
      }
      const std::uint32_t add[3] = {static_cast<std::uint32_t>((s[0] * 7710) >> 8) & ~0x7FFu,
                                    static_cast<std::uint32_t>((s[1] * 7710) >> 13) & ~0x1Fu,
                                    static_cast<std::uint32_t>((s[2] * 7710) >> 19)};
      const std::uint32_t masks[3] = {0xF800, 0x07E0, 0x001F};
      for (int py = 2 * y; py < 2 * y + 2; ++py) {
        for (int px = 2 * x; px < 2 * x + 2; ++px) {
          const std::uint32_t p = in[py * kFrameWidth + px];
          std::uint32_t q = 0;
          for (int c = 0; c < 3; ++c) {
            const std::uint32_t field = (p & masks[c]) + add[c];
            q |= field < masks[c] ? field : masks[c];
          }
          out[py * kFrameWidth + px] = static_cast<std::uint16_t>(q);
        }
      }
    }
  }
  return out;
}

TEST(Glow, MatchesDirectBoxSumsOnNoisyFrames) {
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    // Noise, darkened so that not every field saturates.
    FrameBuffer f;
    for (auto& p : f) {
      seed = seed * 1664525u + 1013904223u;
      p = static_cast<std::uint16_t>((seed >> 18) & 0x39E7);
    }
    const FrameBuffer expected = GlowByDirectSums(f);
    ApplyGlow(f);
    ASSERT_EQ(f, expected) << seed;
  }
  // Uniform frames: full boxes inside, fading toward the borders (the corner
  // box holds a quarter of the samples), saturating fields.
  for (std::uint16_t colour : {0x0000, 0x4208, 0x2104, 0x0841, 0xFFFF}) {
    FrameBuffer f;
    f.fill(colour);
    const FrameBuffer expected = GlowByDirectSums(f);
    ApplyGlow(f);
    ASSERT_EQ(f, expected) << colour;
    if (colour == 0x4208) {
      EXPECT_TRUE(At(f, 200, 120) == 0xB596 && At(f, 0, 0) == 0x5AEB);
    }
  }
  // A white 16 x 16 block: the glow reaches 8 half-resolution cells beyond it
  // on the left and 7 on the right (the box spans x - 8 .. x + 7), and the
  // frame is glowed as it was on entry although earlier rows are already rewritten.
  FrameBuffer f;
  f.fill(0);
  for (int y = 112; y < 128; ++y) {
    for (int x = 192; x < 208; ++x) f[y * kFrameWidth + x] = 0xFFFF;
  }
  const FrameBuffer expected = GlowByDirectSums(f);
  ApplyGlow(f);
  EXPECT_EQ(f, expected);
  for (auto [x, y] : {std::pair{178, 120}, {222, 120}, {200, 98}, {200, 142}})
    EXPECT_NE(At(f, x, y), 0) << x << "," << y;
  for (auto [x, y] : {std::pair{176, 120}, {224, 120}, {200, 96}, {200, 144}})
    EXPECT_EQ(At(f, x, y), 0) << x << "," << y;
}

}  // namespace
}  // namespace vantrelle
