// The sprite renderer against a plain per-pixel form written from what the
// sprite should look like, not from how the renderer steps through it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "core/frame_buffer.h"
#include "render3d/draw_glow_sprite.h"

namespace vantrelle {
namespace {

// From the behaviour alone: the sprite spans w x h sixteenths of a pixel
// centred on (x, y); a pixel is covered when its top-left corner lies inside
// (rounding the left and top edges up to whole pixels, and counting as many
// pixels as the size rounds up to), and it samples the texel under that
// corner, 256 texels across the span, truncated.
void PlainDrawGlowSprite(std::uint8_t* buffer, const std::uint8_t* sprite, std::int64_t x, std::int64_t y,
                         std::int64_t w, std::int64_t h) {
  if (w == 0 || h == 0) return;  // a point too far away to have a size
  const std::int64_t left = x - w / 2, top = y - h / 2;
  const std::int64_t firstColumn = (left + 15) >> 4, firstRow = (top + 15) >> 4;
  const auto texel = [](std::int64_t offset, std::int64_t size) {  // offset in sixteenths from the edge
    return ((offset * ((std::int64_t{1} << 28) / size)) >> 20) & 0xFF;
  };
  for (std::int64_t row = std::max<std::int64_t>(firstRow, 0);
       row < std::min<std::int64_t>(firstRow + (h + 15) / 16, kFrameHeight); ++row) {
    for (std::int64_t col = std::max<std::int64_t>(firstColumn, 0);
         col < std::min<std::int64_t>(firstColumn + (w + 15) / 16, kFrameWidth); ++col) {
      const std::uint8_t s = sprite[texel(row * 16 - top, h) * 256 + texel(col * 16 - left, w)];
      std::uint8_t& out = buffer[row * kFrameWidth + col];
      out = static_cast<std::uint8_t>(std::min(out + s, 255));
    }
  }
}

TEST(DrawGlowSprite, MatchesThePlainFormEverywhere) {
  std::mt19937 random(20261206);
  std::vector<std::uint8_t> sprite(65536);
  for (std::uint8_t& texel : sprite) texel = static_cast<std::uint8_t>(random());
  static std::array<std::uint8_t, kFramePixels> expected;
  static std::array<std::uint8_t, kFramePixels> actual;
  std::uniform_int_distribution<std::int32_t> position(-2000, 8400);
  std::uniform_int_distribution<std::int32_t> size(1, 4096);
  for (int round = 0; round < 400; ++round) {
    for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<std::uint8_t>(random() % 200);
    actual = expected;
    // Several sprites over one another, so that sums saturate.
    for (int blob = 0; blob < 4; ++blob) {
      const std::int32_t x = position(random);
      const std::int32_t y = position(random) * 3 / 5;
      std::int32_t w = round % 5 == 0 ? size(random) % 64 + 1 : size(random);
      if (round % 9 == 0 && blob == 0) w = 0;  // a point too far away to have a size
      const std::int32_t h = round % 7 == 0 ? size(random) % 64 + 1 : size(random);
      PlainDrawGlowSprite(expected.data(), sprite.data(), x, y, w, h);
      DrawGlowSprite(actual.data(), sprite.data(), x, y, w, h);
    }
    ASSERT_EQ(actual, expected) << "round " << round;
  }
}

}  // namespace
}  // namespace vantrelle
