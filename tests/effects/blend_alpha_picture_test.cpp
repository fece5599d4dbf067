#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "core/frame_buffer.h"
#include "effects/blend_alpha_picture.h"

namespace vantrelle {
namespace {

constexpr int kPortraitWidth = 140;
constexpr int kPortraitLeft = 260;

std::unique_ptr<FrameBuffer> RandomFrame(unsigned seed) {
  auto frame = std::make_unique<FrameBuffer>();
  std::mt19937 random(seed);
  for (auto& p : *frame) p = static_cast<std::uint16_t>(random());
  return frame;
}

TEST(BlendAlphaPicture, ZeroMaskLeavesTheFrame) {
  std::vector<std::uint16_t> picture(kPortraitWidth * 240, 0xFFFF);
  std::vector<std::uint8_t> alpha(kPortraitWidth * 240, 0);
  auto frame = RandomFrame(1);
  const FrameBuffer before = *frame;
  BlendAlphaPicture(*frame, picture.data(), alpha.data(), kPortraitWidth, kPortraitLeft);
  EXPECT_EQ(*frame, before);
}

TEST(BlendAlphaPicture, ChangesOnlyItsBandOfColumns) {
  struct Band {
    int width;
    int left;
  };
  for (Band band : {Band{kPortraitWidth, kPortraitLeft}, Band{1, 0}, Band{1, 399}, Band{400, 0}, Band{37, 100}}) {
    std::vector<std::uint16_t> picture(band.width * 240, 0xFFFF);
    std::vector<std::uint8_t> alpha(band.width * 240, 255);
    auto frame = std::make_unique<FrameBuffer>();
    frame->fill(0x0000);
    BlendAlphaPicture(*frame, picture.data(), alpha.data(), band.width, band.left);
    for (int y = 0; y < 240; ++y) {
      for (int x = 0; x < 400; ++x) {
        const bool inside = x >= band.left && x < band.left + band.width;
        // Alpha 255 keeps 1/256 of the frame: white over black stops short of white.
        ASSERT_EQ((*frame)[y * 400 + x], inside ? 0xF7DE : 0x0000)
            << "band " << band.left << "+" << band.width << " at " << x << "," << y;
      }
    }
  }
}

// One lit pixel among zeros wherever it falls: first or last of a group of
// eight, or among the band's last few.
TEST(BlendAlphaPicture, ReadsPictureAndMaskInRowsOfItsOwnWidth) {
  for (const int j : {0, 3, 7, 8, 135, 136, 139}) {
    std::vector<std::uint16_t> picture(kPortraitWidth * 240, 0x0000);
    std::vector<std::uint8_t> alpha(kPortraitWidth * 240, 0);
    const int row = 7;
    picture[row * kPortraitWidth + j] = 0x001F;
    alpha[row * kPortraitWidth + j] = 128;
    auto frame = std::make_unique<FrameBuffer>();
    frame->fill(0xF800);
    BlendAlphaPicture(*frame, picture.data(), alpha.data(), kPortraitWidth, kPortraitLeft);
    for (int i = 0; i < kFramePixels; ++i) {
      const bool target = i == row * 400 + kPortraitLeft + j;
      ASSERT_EQ((*frame)[i], target ? 0x780F : 0xF800) << "column " << j << ", pixel " << i;  // half red, half blue
    }
  }
}

}  // namespace
}  // namespace vantrelle
