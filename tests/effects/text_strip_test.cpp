// The text strip against a plain form written from its description, on
// every kind of radius the show uses and beyond, with the frame read back
// through the public call only.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "core/frame_buffer.h"
#include "effects/text_strip.h"
#include "field_blend.h"

namespace vantrelle {
namespace {

constexpr int kStripBytes = kStripWidth * kStripHeight;

// Each byte blurred to the sum of the bytes at columns x - radius .. x + radius - 1
// inside its row times 65536 / (2 radius + 1), over 65536 (the byte itself
// for a radius below 1); each field of the pixel under it keeps (256 - value) / 256.
FrameBuffer PlainTextStrip(FrameBuffer f, const std::vector<std::uint8_t>& strip, int top, int radius) {
  const std::int64_t n = 65536 / (2 * radius + 1);
  for (int k = 0; k < kStripHeight; ++k) {
    for (int x = 0; x < kStripWidth; ++x) {
      std::int64_t v = strip[k * kStripWidth + x];
      if (radius >= 1) {
        std::int64_t sum = 0;
        for (int c = std::max(0, x - radius); c < std::min(kStripWidth, x + radius); ++c) {
          sum += strip[k * kStripWidth + c];
        }
        v = (sum * n) >> 16;
      }
      std::uint16_t& p = f[(top + k) * kFrameWidth + x];
      p = effects_test::Toward(p, 0, static_cast<std::uint32_t>(v));
    }
  }
  return f;
}

TEST(TextStrip, BlursAndDarkensAsWritten) {
  std::mt19937 random(5);
  FrameBuffer noisy;
  for (auto& p : noisy) p = static_cast<std::uint16_t>(random());
  std::vector<std::uint8_t> noise(kStripBytes), text(kStripBytes, 0), empty(kStripBytes, 0);
  for (auto& b : noise) b = static_cast<std::uint8_t>(random());
  for (int i = 0; i < kStripBytes; ++i) text[i] = (i / 7 + i / kStripWidth) % 5 == 0 ? 255 : 0;  // strokes
  text[0] = 255;  // at the row's very start and end
  text[kStripBytes - 1] = 128;
  for (const auto* strip : {&noise, &text, &empty}) {
    for (int radius : {-3, 0, 1, 2, 57, 114, 115, 399, 1000}) {
      for (int top : {0, 64, 176}) {
        FrameBuffer f = noisy;
        DrawTextStrip(f, strip->data(), top, radius);
        ASSERT_EQ(f, PlainTextStrip(noisy, *strip, top, radius)) << "radius " << radius << " top " << top;
        if (strip == &empty) {
          ASSERT_EQ(f, noisy);
        }
      }
    }
  }
  // Two bytes of 255 at radius 1: (510 x 21845) >> 16 = 169 darkens white to 87/256.
  std::vector<std::uint8_t> pair(kStripBytes, 0);
  pair[10] = pair[11] = 255;
  FrameBuffer white;
  white.fill(0xFFFF);
  DrawTextStrip(white, pair.data(), 0, 1);
  EXPECT_EQ(white[11], ((0xF800 * 87 >> 8) & 0xF800) | ((0x07E0 * 87 >> 8) & 0x07E0) | (0x1F * 87 >> 8));
}

}  // namespace
}  // namespace vantrelle
