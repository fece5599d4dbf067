#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "core/frame_buffer.h"
#include "effects/blend_picture.h"

namespace vantrelle {
namespace {

struct BlendFixture {
  std::vector<std::uint8_t> picture = std::vector<std::uint8_t>(kFramePixels, 0);
  std::array<std::uint16_t, 256> colours{};
  std::unique_ptr<FrameBuffer> frame = std::make_unique<FrameBuffer>();
  FrameBuffer before{};

  explicit BlendFixture(unsigned seed) {
    std::mt19937 random(seed);
    for (auto& b : picture) b = static_cast<std::uint8_t>(random());
    for (auto& c : colours) c = static_cast<std::uint16_t>(random());
    for (auto& p : before) p = static_cast<std::uint16_t>(random());
    *frame = before;
  }
};

TEST(BlendPicture, EndLevelsShowExactlyOneOfTheTwo) {
  BlendFixture b(1);
  BlendPicture(*b.frame, b.picture.data(), b.colours.data(), 0);
  EXPECT_EQ(*b.frame, b.before);

  BlendPicture(*b.frame, b.picture.data(), b.colours.data(), 256);
  for (int i = 0; i < kFramePixels; ++i) {
    ASSERT_EQ((*b.frame)[i], b.colours[b.picture[i]]) << i;
  }
}

TEST(BlendPicture, LevelsBetweenWeighEachFieldAndTruncate) {
  BlendFixture b(2);
  b.colours[7] = 0xFFFF;
  b.colours[9] = 0x0000;
  std::fill(b.picture.begin(), b.picture.end(), 7);
  b.picture[kFramePixels - 1] = 9;
  b.frame->fill(0x0000);
  (*b.frame)[kFramePixels - 1] = 0xFFFF;

  BlendPicture(*b.frame, b.picture.data(), b.colours.data(), 128);
  EXPECT_EQ((*b.frame)[0], 0x7BEF);  // half of white, each field rounded down
  EXPECT_EQ((*b.frame)[kFramePixels / 2], 0x7BEF);
  EXPECT_EQ((*b.frame)[kFramePixels - 1], 0x7BEF);

  // The greeting pages fade down to level 1: almost nothing of white is left.
  b.frame->fill(0x0000);
  BlendPicture(*b.frame, b.picture.data(), b.colours.data(), 1);
  EXPECT_EQ((*b.frame)[0], 0x0000);
  b.frame->fill(0x0000);
  BlendPicture(*b.frame, b.picture.data(), b.colours.data(), 255);
  EXPECT_EQ((*b.frame)[0], 0xF7DE);
}

}  // namespace
}  // namespace vantrelle
