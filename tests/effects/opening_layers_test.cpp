#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "core/frame_buffer.h"
#include "effects/scaled_glow.h"
#include "effects/scaled_masked.h"
#include "effects/star_sky.h"
#include "field_blend.h"

namespace vantrelle {
namespace {

// One axis of a scaled layer from its description: pos and size in
// sixteenths, the source's length in texels. Pixel p is covered from the first
// whole pixel at or after pos, for as many pixels as the size rounds up to; it
// samples the texel under its top-left corner, (16 p - pos) sixteenths into
// the layer at 2^20 source / size (16.16 texels a pixel), wrapping at 256.
// -1 where p is not covered.
int TexelOnAxis(std::int64_t pos, std::int64_t size, std::int64_t source, std::int64_t p) {
  const std::int64_t first = pos >= 0 ? (pos + 15) / 16 : -(-pos / 16);
  if (p < first || p >= first + (size + 15) / 16) return -1;
  const std::int64_t step = (source << 20) / size;
  return static_cast<int>(((16 * p - pos) * step) >> 20 & 255);
}

// Both scaled layers against their plain per-pixel meaning over a random
// frame: layers beyond each edge and one sixteenth inside, clipped at each
// edge, one texel a pixel on whole pixels, sizes that round up, sources that
// repeat, quarter-pixel offsets; then random layers drawn larger and smaller
// than their texels. The masked layer keeps the frame through its mask and
// ORs its colour in; the glow blends toward white by its opacity.
TEST(ScaledLayers, MatchThePlainPerPixelForm) {
  constexpr std::int32_t kPixel = 16, kSize = 64 * kPixel, kOne = 256 * kPixel;  // kOne: a texel a pixel
  std::vector<ScaledLayer> layers = {
      {400 * kPixel, 0, kSize, kSize, 256, 256},  // right of column 399
      {0, 240 * kPixel, kSize, kSize, 256, 256},  // below row 239
      {-kSize, 0, kSize, kSize, 256, 256},        // left of column 0
      {0, -kSize, kSize, kSize, 256, 256},        // above row 0
      {399 * kPixel, 239 * kPixel, kSize, kSize, 256, 256},
      {-kSize + 1, 0, kSize, kSize, 256, 256},  // one sixteenth inside reaches column 0
      {32 * kPixel, 48 * kPixel, kOne, kOne, 256, 256},
      {0, 1, kPixel, 1, 256, 256},  // one sixteenth high, just below row 0: row 1 alone
      {-326, 0, kOne, kOne, 256, 256},
      {0, -40 * kPixel - 5, kOne, kOne, 256, 256},
      {300 * kPixel, 100 * kPixel, kOne, 20 * kPixel, 256, 20},
      {0, 200 * kPixel, 20 * kPixel, kOne, 20, 256},
      {-7 * kPixel - 9, -3 * kPixel - 2, 3001, 2777, 160, 120},
      {0, 0, 2561, 2561, 160, 160},               // 161 columns, the last on texel 159
      {0, 0, 256 * kPixel, 8 * kPixel, 512, 8},   // two texels a pixel: the texture repeats
      {4, 4, 64 * kPixel, 64 * kPixel, 256, 256}  // a quarter-pixel offset
  };
  std::mt19937 random(4096);
  const auto pick = [&random](int low, int high) {
    return low + static_cast<std::int32_t>(random() % (high - low + 1));
  };
  for (int n = 0; n < 200; ++n) {
    layers.push_back({pick(-6000, 7000), pick(-5000, 4500), pick(1, 9000), pick(1, 9000), pick(1, 512), pick(1, 512)});
  }
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
  int drawn = 0;
  for (const ScaledLayer& layer : layers) {
    for (std::uint16_t& p : before) p = static_cast<std::uint16_t>(random());
    masked = before;
    glow = before;
    DrawScaledMasked(masked, colours.data(), mask.data(), layer);
    DrawScaledGlow(glow, alpha.data(), layer);
    for (int row = 0; row < kFrameHeight; ++row) {
      const int v = TexelOnAxis(layer.y, layer.height, layer.sourceHeight, row);
      for (int column = 0; column < kFrameWidth; ++column) {
        const int u = TexelOnAxis(layer.x, layer.width, layer.sourceWidth, column);
        const int i = row * kFrameWidth + column;
        std::uint32_t expectMasked = before[i];
        std::uint32_t expectGlow = before[i];
        if (u >= 0 && v >= 0) {
          const int texel = u + 256 * v;
          expectMasked = (mask[texel] & before[i]) | colours[texel];
          expectGlow = effects_test::Toward(before[i], 0xFFFF, alpha[texel]);
          ++drawn;
        }
        ASSERT_EQ(masked[i], expectMasked) << "masked " << layer.x << "," << layer.y << " " << layer.width << "x"
                                           << layer.height << ", pixel " << column << "," << row;
        ASSERT_EQ(glow[i], expectGlow) << "glow " << layer.x << "," << layer.y << " " << layer.width << "x"
                                       << layer.height << ", pixel " << column << "," << row;
      }
    }
  }
  EXPECT_GT(drawn, 1000000);
}

// Every pixel shows its texel wherever a row wraps (not at all, after one
// pixel, in a run of any length modulo eight, or just before the row ends),
// for offsets either way; one picture height on, the sky repeats.
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
  constexpr std::pair<int, int> kOffsets[] = {{0, 0},      {0, 512},    {1, 3},     {7, 21},     {8, 24},
                                              {9, 27},     {100, 300},  {111, 333}, {112, 336},  {113, 339},
                                              {117, 351},  {200, 37},   {300, 900}, {504, 1512}, {505, 1515},
                                              {511, 1533}, {512, 1536}, {-9, -27},  {-1, -300}};
  for (const auto& [x, y] : kOffsets) {
    frame.fill(0x0001);
    DrawStarSky(frame, picture.data(), colours.data(), x, y);
    for (int r = 0; r < kFrameHeight; ++r) {
      for (int c = 0; c < kFrameWidth; ++c) {
        const std::uint16_t expected = colours[picture[((y + r) & 511) * 512 + ((x + c) & 511)]];
        ASSERT_EQ(frame[r * kFrameWidth + c], expected) << "offset " << x << "," << y << ", pixel " << c << "," << r;
      }
    }
  }
}

}  // namespace
}  // namespace vantrelle
