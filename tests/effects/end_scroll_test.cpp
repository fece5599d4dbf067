// The end scroll against its meaning, pixel by pixel: columns 50..349 move
// toward white by their alpha, every other pixel stays.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "core/frame_buffer.h"
#include "effects/end_scroll.h"
#include "field_blend.h"

namespace vantrelle {
namespace {

using effects_test::Toward;

TEST(DrawEndScroll, BlendsEachColumnOfTheScrollTowardWhiteByItsAlpha) {
  std::mt19937 random(2512);
  // Lines of text with gaps between them and inside them, as the scroll has:
  // runs of zeros of every length, next to alphas up to 255.
  std::vector<std::uint8_t> alpha(static_cast<std::size_t>(kEndScrollWidth) * kEndScrollHeight);
  for (std::size_t i = 0; i < alpha.size();) {
    const std::size_t run = 1 + random() % 40;
    const bool blank = random() % 2 == 0;
    for (std::size_t k = 0; k < run && i < alpha.size(); ++k, ++i) {
      alpha[i] = blank ? 0 : static_cast<std::uint8_t>(random() % 3 == 0 ? 255 : random());
    }
  }
  auto frame = std::make_unique<FrameBuffer>();
  auto expected = std::make_unique<FrameBuffer>();
  for (const std::int32_t c : {0, 1, 34, 15000, 29567}) {
    for (std::uint16_t& p : *frame) p = static_cast<std::uint16_t>(random());
    *expected = *frame;
    const std::int32_t first = 30 * c / 1000;
    for (int y = 0; y < kFrameHeight; ++y) {
      for (int x = 50; x < 350; ++x) {
        std::uint16_t& p = (*expected)[y * kFrameWidth + x];
        p = Toward(p, 0xFFFF, alpha[static_cast<std::size_t>((first + y) * kEndScrollWidth + x - 50)]);
      }
    }
    DrawEndScroll(*frame, alpha.data(), c);
    ASSERT_EQ(*frame, *expected) << "at " << c << " ms";
  }
}

}  // namespace
}  // namespace vantrelle
