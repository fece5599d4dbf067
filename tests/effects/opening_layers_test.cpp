#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "core/frame_buffer.h"
#include "effects/scaled_glow.h"
#include "effects/scaled_masked.h"
#include "effects/star_sky.h"

namespace vantrelle {
namespace {

// What a probe layer left on the frame: the texel index each drawn pixel sampled.
struct Probed {
  FrameBuffer texels;
  std::vector<bool> drawn;
};

// A masked layer whose colour word is its own texel index and whose mask is 0
// writes into each pixel the index of the texel it sampled. Drawn over two
// different frames, the pixels it wrote are the ones that agree.
struct TexelProbe {
  std::vector<std::uint16_t> colours = std::vector<std::uint16_t>(65536);
  std::vector<std::uint16_t> mask = std::vector<std::uint16_t>(65536, 0);
  TexelProbe() {
    for (int i = 0; i < 65536; ++i) colours[i] = static_cast<std::uint16_t>(i);
  }
  Probed Draw(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t srcW,
              std::int32_t srcH) const {
    Probed p;
    FrameBuffer other;
    p.texels.fill(0x0000);
    other.fill(0xFFFF);
    DrawScaledMasked(p.texels, colours.data(), mask.data(), {x, y, w, h, srcW, srcH});
    DrawScaledMasked(other, colours.data(), mask.data(), {x, y, w, h, srcW, srcH});
    p.drawn.resize(kFramePixels);
    for (int i = 0; i < kFramePixels; ++i) p.drawn[i] = p.texels[i] == other[i];
    return p;
  }
};

std::uint16_t At(const FrameBuffer& f, int column, int row) { return f[row * kFrameWidth + column]; }
std::uint16_t At(const Probed& p, int column, int row) { return At(p.texels, column, row); }
int TexelColumn(std::uint16_t texel) { return texel & 255; }
int TexelRow(std::uint16_t texel) { return texel >> 8; }

// Columns [first, end) of every row in [top, bottom) were drawn; nothing else was.
void ExpectDrawnRectangle(const Probed& p, int first, int end, int top, int bottom) {
  for (int r = 0; r < kFrameHeight; ++r) {
    for (int c = 0; c < kFrameWidth; ++c) {
      const bool inside = c >= first && c < end && r >= top && r < bottom;
      ASSERT_EQ(p.drawn[r * kFrameWidth + c], inside) << "column " << c << " row " << r;
    }
  }
}

bool NothingDrawn(const Probed& p) {
  for (bool d : p.drawn) {
    if (d) return false;
  }
  return true;
}

constexpr std::int32_t kPixel = 16;  // positions and sizes are in 1/16 pixel

TEST(ScaledMasked, LayersBeyondEachEdgeDrawNothingAndOneSixteenthInDraws) {
  TexelProbe probe;
  const std::int32_t size = 64 * kPixel;
  EXPECT_TRUE(NothingDrawn(probe.Draw(400 * kPixel, 0, size, size, 256, 256)));  // right of column 399
  EXPECT_TRUE(NothingDrawn(probe.Draw(0, 240 * kPixel, size, size, 256, 256)));  // below row 239
  EXPECT_TRUE(NothingDrawn(probe.Draw(-size, 0, size, size, 256, 256)));         // left of column 0
  EXPECT_TRUE(NothingDrawn(probe.Draw(0, -size, size, size, 256, 256)));         // above row 0
  ExpectDrawnRectangle(probe.Draw(399 * kPixel, 239 * kPixel, size, size, 256, 256), 399, 400, 239, 240);
  // One sixteenth inside the left edge still reaches column 0 (sizes round up).
  ExpectDrawnRectangle(probe.Draw(-size + 1, 0, size, size, 256, 256), 0, 1, 0, 64);
  // One texel per pixel on whole pixels: texel (0, 0) at the layer's corner.
  const Probed whole = probe.Draw(32 * kPixel, 48 * kPixel, 256 * kPixel, 256 * kPixel, 256, 256);
  ExpectDrawnRectangle(whole, 32, 288, 48, 240);
  EXPECT_EQ(At(whole, 32, 48), 0);
  // A layer one sixteenth high starting just below row 0 covers row 1 alone.
  ExpectDrawnRectangle(probe.Draw(0, 1, kPixel, 1, 256, 256), 0, 1, 1, 2);
}

TEST(ScaledMasked, ClippingAtEachEdgeKeepsUnclippedTexelPositions) {
  TexelProbe probe;
  const std::int32_t size = 256 * kPixel;  // one texel per pixel

  // Left: x = -326 starts at frame column 0 with texel column 20.
  Probed f = probe.Draw(-326, 0, size, size, 256, 256);
  ExpectDrawnRectangle(f, 0, 236, 0, 240);
  for (int c = 0; c < 236; ++c) ASSERT_EQ(TexelColumn(At(f, c, 0)), c + 20);

  // Top: 40 pixels and 5/16 above the frame; row 0 shows texel row 40.
  f = probe.Draw(0, -40 * kPixel - 5, size, size, 256, 256);
  ExpectDrawnRectangle(f, 0, 256, 0, 216);
  for (int r = 0; r < 216; ++r) ASSERT_EQ(TexelRow(At(f, 0, r)), r + 40);

  // Right: stops at column 399, texels as if unclipped.
  f = probe.Draw(300 * kPixel, 100 * kPixel, size, 20 * kPixel, 256, 20);
  ExpectDrawnRectangle(f, 300, 400, 100, 120);
  for (int c = 300; c < 400; ++c) ASSERT_EQ(TexelColumn(At(f, c, 100)), c - 300);

  // Bottom: stops at row 239.
  f = probe.Draw(0, 200 * kPixel, 20 * kPixel, size, 20, 256);
  ExpectDrawnRectangle(f, 0, 20, 200, 240);
  for (int r = 200; r < 240; ++r) ASSERT_EQ(TexelRow(At(f, 5, r)), r - 200);

  // Scaled and clipped: every pixel samples exactly what the unclipped layer
  // would, i.e. what the same layer shows when moved by whole pixels into view.
  const std::int32_t w = 3001;
  const std::int32_t h = 2777;
  const Probed clipped = probe.Draw(-7 * kPixel - 9, -3 * kPixel - 2, w, h, 160, 120);
  const Probed inside = probe.Draw(13 * kPixel - 9, 17 * kPixel - 2, w, h, 160, 120);
  for (int r = 0; r < 150; ++r) {
    for (int c = 0; c < 150; ++c) {
      ASSERT_EQ(At(clipped, c, r), At(inside, c + 20, r + 20)) << c << "," << r;
    }
  }
}

TEST(ScaledMasked, SizesRoundUpAndTexelsWrap) {
  TexelProbe probe;
  // w = 2561: 161 columns; the last one shows texel column 159.
  Probed f = probe.Draw(0, 0, 2561, 2561, 160, 160);
  ExpectDrawnRectangle(f, 0, 161, 0, 161);
  EXPECT_EQ(TexelColumn(At(f, 160, 0)), 159);
  EXPECT_EQ(TexelRow(At(f, 0, 160)), 159);

  // Two texels per pixel across 512 texels: the texture repeats.
  f = probe.Draw(0, 0, 256 * kPixel, 8 * kPixel, 512, 8);
  EXPECT_EQ(TexelColumn(At(f, 127, 0)), 254);
  EXPECT_EQ(TexelColumn(At(f, 128, 0)), 0);
  EXPECT_EQ(TexelColumn(At(f, 255, 0)), 254);

  // A quarter-pixel offset is a pre-step of 12/16 of a step.
  f = probe.Draw(4, 4, 64 * kPixel, 64 * kPixel, 256, 256);  // four texels per pixel
  EXPECT_EQ(TexelColumn(At(f, 1, 1)), 3);                    // (12/16) x 4 texels
  EXPECT_EQ(TexelRow(At(f, 1, 2)), 7);
}

TEST(ScaledMasked, MaskKeepsTheFrameAndOrsTheColour) {
  std::vector<std::uint16_t> colours(65536, 0x0001);
  std::vector<std::uint16_t> mask(65536, 0xFFFF);
  colours[1] = 0x1234;
  mask[1] = 0x0000;
  FrameBuffer frame;
  frame.fill(0x8000);
  DrawScaledMasked(frame, colours.data(), mask.data(), {0, 0, 4 * kPixel, kPixel, 4, 1});
  EXPECT_EQ(At(frame, 0, 0), 0x8001);  // shows through, colour ORed in
  EXPECT_EQ(At(frame, 1, 0), 0x1234);  // replaced
  EXPECT_EQ(At(frame, 4, 0), 0x8000);  // outside
}

TEST(ScaledGlow, EveryColourBlendsFieldByField) {
  // Every RGB565 colour under a layer of one opacity, for opacities at both
  // ends and the middle, against the blend written field by field.
  std::vector<std::uint8_t> alpha(65536);
  FrameBuffer frame;
  for (int a : {0, 1, 2, 3, 31, 64, 127, 128, 129, 200, 253, 254, 255}) {
    std::fill(alpha.begin(), alpha.end(), static_cast<std::uint8_t>(a));
    for (int i = 0; i < kFramePixels; ++i) frame[i] = static_cast<std::uint16_t>(i);
    DrawScaledGlow(frame, alpha.data(), {0, 0, kFrameWidth * kPixel, kFrameHeight * kPixel, 256, 256});
    for (std::uint32_t p = 0; p < 65536; ++p) {
      std::uint32_t expected = 0;
      for (std::uint32_t m : {0xF800u, 0x07E0u, 0x001Fu}) {
        expected |= (((p & m) * (256 - a) + static_cast<std::uint32_t>(a) * m) >> 8) & m;
      }
      ASSERT_EQ(frame[p], expected) << "colour " << p << " opacity " << a;
    }
  }
}

// Both scaled layers against their plain per-pixel meaning on random layers:
// drawn larger and smaller than their texels, clipped at any edge, over a
// random frame. The pixel k columns and j rows into the drawn span samples
// texel u = uStart + k du, v = vStart + j dv (16.16, wrapping at 256 texels).
TEST(ScaledLayers, MatchThePlainPerPixelFormOnRandomLayers) {
  std::mt19937 random(4096);
  std::vector<std::uint16_t> colours(65536), mask(65536);
  std::vector<std::uint8_t> alpha(65536);
  for (int i = 0; i < 65536; ++i) {
    colours[i] = static_cast<std::uint16_t>(random());
    mask[i] = random() % 3 == 0 ? 0xFFFF : static_cast<std::uint16_t>(random());
    const std::uint32_t a = random();
    alpha[i] = static_cast<std::uint8_t>(a % 3 == 0 ? 0 : a % 3 == 1 ? 255 : a >> 8);
  }
  FrameBuffer before;
  FrameBuffer masked;
  FrameBuffer glow;
  for (int round = 0; round < 200; ++round) {
    for (std::uint16_t& p : before) p = static_cast<std::uint16_t>(random());
    const auto pick = [&random](int low, int high) {
      return low + static_cast<std::int32_t>(random() % (high - low + 1));
    };
    const ScaledLayer layer{pick(-6000, 7000), pick(-5000, 4500), pick(1, 9000),
                            pick(1, 9000),     pick(1, 512),      pick(1, 512)};
    masked = before;
    glow = before;
    DrawScaledMasked(masked, colours.data(), mask.data(), layer);
    DrawScaledGlow(glow, alpha.data(), layer);
    const LayerSpan s = LayerSetup(layer);
    for (int row = 0; row < kFrameHeight; ++row) {
      for (int column = 0; column < kFrameWidth; ++column) {
        const int i = row * kFrameWidth + column;
        std::uint32_t expectMasked = before[i];
        std::uint32_t expectGlow = before[i];
        if (s.visible && row >= s.firstRow && row < s.endRow && column >= s.firstColumn && column < s.endColumn) {
          const std::uint32_t u = s.uStart + static_cast<std::uint32_t>(column - s.firstColumn) * s.du;
          const std::uint32_t v = s.vStart + static_cast<std::uint32_t>(row - s.firstRow) * s.dv;
          const std::uint32_t texel = ((u >> 16) & 255) + 256 * ((v >> 16) & 255);
          expectMasked = (mask[texel] & before[i]) | colours[texel];
          const std::uint32_t a = alpha[texel];
          expectGlow = 0;
          for (std::uint32_t m : {0xF800u, 0x07E0u, 0x001Fu}) {
            expectGlow |= (((before[i] & m) * (256 - a) + a * m) >> 8) & m;
          }
        }
        ASSERT_EQ(masked[i], expectMasked) << "masked, round " << round << ", pixel " << column << "," << row;
        ASSERT_EQ(glow[i], expectGlow) << "glow, round " << round << ", pixel " << column << "," << row;
      }
    }
  }
}

TEST(StarSky, WrapsInBothDirections) {
  std::vector<std::uint8_t> picture(512 * 512);
  std::array<std::uint16_t, 256> colours{};
  for (int i = 0; i < 256; ++i) colours[i] = static_cast<std::uint16_t>(0x0100 + i * 3);
  std::uint32_t seed = 12345;
  for (auto& b : picture) {
    seed = seed * 1664525u + 1013904223u;
    b = static_cast<std::uint8_t>(seed >> 24);
  }
  auto pixelOf = [&](int column, int row) { return colours[picture[(row & 511) * 512 + (column & 511)]]; };

  FrameBuffer a;
  FrameBuffer b;
  DrawStarSky(a, picture.data(), colours.data(), 0, 0);
  DrawStarSky(b, picture.data(), colours.data(), 0, 512);
  EXPECT_EQ(a, b);  // one picture height later the sky repeats

  // x = 200: frame columns 312..399 show picture columns 0..87.
  DrawStarSky(a, picture.data(), colours.data(), 200, 37);
  for (int r = 0; r < kFrameHeight; ++r) {
    for (int c = 0; c < kFrameWidth; ++c) ASSERT_EQ(At(a, c, r), pixelOf(200 + c, 37 + r)) << c << "," << r;
  }
  EXPECT_EQ(At(a, 312, 0), pixelOf(0, 37));
  EXPECT_EQ(At(a, 311, 0), pixelOf(511, 37));

  // Negative offsets wrap too; every pixel is overwritten.
  a.fill(0xFFFF);
  DrawStarSky(a, picture.data(), colours.data(), -1, -300);
  for (int r = 0; r < kFrameHeight; ++r) {
    for (int c = 0; c < kFrameWidth; ++c) ASSERT_EQ(At(a, c, r), pixelOf(511 + c, 212 + r)) << c << "," << r;
  }
}

// Wherever a row wraps (not at all, after one pixel, in a run of any length
// modulo eight, or just before the row ends), every pixel shows its texel.
TEST(StarSky, EveryPixelShowsItsTexelWhereverARowWraps) {
  std::vector<std::uint8_t> picture(512 * 512);
  std::array<std::uint16_t, 256> colours{};
  for (int i = 0; i < 256; ++i) colours[i] = static_cast<std::uint16_t>(0x8000 ^ (i * 257));
  std::uint32_t seed = 99;
  for (auto& b : picture) {
    seed = seed * 1664525u + 1013904223u;
    b = static_cast<std::uint8_t>(seed >> 24);
  }
  FrameBuffer frame;
  for (const int x : {0, 1, 7, 8, 9, 100, 111, 112, 113, 117, 300, 504, 505, 511, 512, -9}) {
    frame.fill(0x0001);
    DrawStarSky(frame, picture.data(), colours.data(), x, x * 3);
    for (int r = 0; r < kFrameHeight; ++r) {
      for (int c = 0; c < kFrameWidth; ++c) {
        const std::uint16_t expected = colours[picture[((x * 3 + r) & 511) * 512 + ((x + c) & 511)]];
        ASSERT_EQ(At(frame, c, r), expected) << "x " << x << ", pixel " << c << "," << r;
      }
    }
  }
}

}  // namespace
}  // namespace vantrelle
