#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "effects/end_scroll.h"
#include "timeline/fades.h"

namespace vantrelle {
namespace {

FrameBuffer Filled(std::uint16_t value) {
  FrameBuffer frame;
  frame.fill(value);
  return frame;
}

// A frame with every RGB565 value somewhere in it.
FrameBuffer Mixed() {
  FrameBuffer frame;
  for (int i = 0; i < kFramePixels; ++i) frame[i] = static_cast<std::uint16_t>(i * 40503u);
  return frame;
}

bool AllEqual(const FrameBuffer& frame, std::uint16_t value) {
  return std::all_of(frame.begin(), frame.end(), [&](std::uint16_t p) { return p == value; });
}

TEST(Fades, LevelZeroChangesNothingAndLevel256IsPure) {
  const FrameBuffer mixed = Mixed();
  FrameBuffer frame = mixed;
  FadeToWhite(frame, 0);
  EXPECT_EQ(frame, mixed);
  FadeToBlack(frame, 0);
  EXPECT_EQ(frame, mixed);

  FadeToWhite(frame, 256);
  EXPECT_TRUE(AllEqual(frame, 0xFFFF));
  frame = mixed;
  FadeToBlack(frame, 256);
  EXPECT_TRUE(AllEqual(frame, 0x0000));
}

TEST(Fades, HalfwayMovesEveryFieldByHalfItsRange) {
  FrameBuffer black = Filled(0x0000);
  FadeToWhite(black, 128);
  EXPECT_TRUE(AllEqual(black, 0x7BEF));  // red 0x7800, green 0x03E0, blue 0x000F
  FrameBuffer white = Filled(0xFFFF);
  FadeToBlack(white, 128);
  EXPECT_TRUE(AllEqual(white, 0x7BEF));
}

TEST(Fades, WorkEachPixelFromItsOwnValue) {
  FrameBuffer frame = Filled(0x0000);
  frame[0] = 0xF800;
  frame[95999] = 0x001F;
  FadeToWhite(frame, 1);  // the last millisecond of a white flash
  EXPECT_EQ(frame[0], 0xF800 | ((0x07E0 >> 8) & 0x07E0) | 0);
  EXPECT_EQ(frame[1], 0x0000 | ((0xF800 * 1 >> 8) & 0xF800) | ((0x07E0 >> 8) & 0x07E0));
  FrameBuffer dark = Filled(0xFFFF);
  FadeToBlack(dark, 255);  // the show's last frame
  EXPECT_TRUE(AllEqual(dark, 0x0000));  // 1/256 of each field truncates to nothing
  FrameBuffer light = Filled(0xFFFF);
  FadeToBlack(light, 1);
  EXPECT_TRUE(AllEqual(light, 0xF7DE));
}

TEST(Fades, LevelsBeyondTheRangeAreTakenAsItsBounds) {
  const FrameBuffer mixed = Mixed();
  FrameBuffer frame = mixed;
  FadeToWhite(frame, -5);
  EXPECT_EQ(frame, mixed);
  FadeToWhite(frame, 1000);
  EXPECT_TRUE(AllEqual(frame, 0xFFFF));
}

std::array<std::uint8_t, kEndScrollWidth * kEndScrollHeight> Scroll(std::uint8_t value) {
  std::array<std::uint8_t, kEndScrollWidth * kEndScrollHeight> alpha;
  alpha.fill(value);
  return alpha;
}

TEST(EndScroll, BlendsColumns50To349TowardWhiteByTheAlpha) {
  const auto clear = Scroll(0);
  FrameBuffer frame = Mixed();
  const FrameBuffer before = frame;
  DrawEndScroll(frame, clear.data(), 0);
  EXPECT_EQ(frame, before);

  const auto opaque = Scroll(255);
  frame = Filled(0x0000);
  DrawEndScroll(frame, opaque.data(), 0);
  for (int y : {0, 239}) {
    EXPECT_EQ(frame[y * 400 + 49], 0x0000);
    EXPECT_EQ(frame[y * 400 + 50], 0xF7DE);  // 255/256 of white: never quite white
    EXPECT_EQ(frame[y * 400 + 349], 0xF7DE);
    EXPECT_EQ(frame[y * 400 + 350], 0x0000);
  }

  const auto half = Scroll(128);
  frame = Filled(0x0000);
  DrawEndScroll(frame, half.data(), 0);
  EXPECT_EQ(frame[120 * 400 + 200], 0x7BEF);
}

TEST(EndScroll, ClimbsThirtyRowsASecond) {
  auto alpha = Scroll(0);
  for (int j = 0; j < kEndScrollWidth; ++j) {
    alpha[30 * kEndScrollWidth + j] = 255;     // picture row 30
    alpha[1126 * kEndScrollWidth + j] = 128;  // the last row the show reaches
  }
  FrameBuffer frame = Filled(0x0000);
  DrawEndScroll(frame, alpha.data(), 0);
  EXPECT_EQ(frame[30 * 400 + 100], 0xF7DE);
  frame = Filled(0x0000);
  DrawEndScroll(frame, alpha.data(), 1000);  // one second in: row 30 at the top
  EXPECT_EQ(frame[0 * 400 + 100], 0xF7DE);
  EXPECT_EQ(frame[1 * 400 + 100], 0x0000);
  frame = Filled(0x0000);
  DrawEndScroll(frame, alpha.data(), 29567);  // the scene's last millisecond: first row 887
  EXPECT_EQ(frame[239 * 400 + 100], 0x7BEF);
  EXPECT_EQ(frame[238 * 400 + 100], 0x0000);
}

}  // namespace
}  // namespace vantrelle
