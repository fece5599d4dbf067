#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "core/frame_buffer.h"
#include "effects/clip_frame.h"

namespace vantrelle {
namespace {

constexpr int kClipFrames = 246;
constexpr int kClipFrameBytes = 80 * 60;

// Colour i is i itself, so the frame shows the enlarged palette indices.
std::array<std::uint16_t, 256> IndexColours() {
  std::array<std::uint16_t, 256> colours{};
  for (int i = 0; i < 256; ++i) colours[i] = static_cast<std::uint16_t>(i);
  return colours;
}

struct ClipFixture {
  std::vector<std::uint8_t> clip = std::vector<std::uint8_t>(kClipFrames * kClipFrameBytes, 0);
  std::array<std::uint16_t, 256> colours = IndexColours();
  std::unique_ptr<FrameBuffer> frame = std::make_unique<FrameBuffer>();

  void Set(int clipFrame, int row, int column, std::uint8_t value) {
    clip[clipFrame * kClipFrameBytes + row * 80 + column] = value;
  }
  std::uint16_t At(int x, int y) const { return (*frame)[y * 400 + x]; }
  std::array<int, 5> Row(int x, int y) const {
    std::array<int, 5> values{};
    for (int j = 0; j < 5; ++j) values[j] = At(x + j, y);
    return values;
  }
  void Draw(std::int32_t s) { DrawClipFrame(*frame, clip.data(), colours.data(), kClipFrames, s); }
};

TEST(DrawClipFrame, EachClipFrameLasts122Milliseconds) {
  ClipFixture f;
  for (int n = 0; n < kClipFrames; ++n) {
    for (int i = 0; i < kClipFrameBytes; ++i) f.clip[n * kClipFrameBytes + i] = static_cast<std::uint8_t>(n);
  }
  for (auto [s, shown] : {std::pair{0, 0}, {121, 0}, {122, 1}, {243, 1}, {244, 2}, {30011, 245}, {30012, 0},
                          {30134, 1}, {-1, 0}, {-122, 245}}) {
    f.Draw(s);
    EXPECT_EQ(f.At(200, 120), shown) << "s " << s;
  }
}

TEST(DrawClipFrame, BordersAlwaysShowColourZero) {
  ClipFixture f;
  std::mt19937 random(5);
  for (auto& b : f.clip) b = static_cast<std::uint8_t>(random() | 1);  // no index 0 inside
  f.colours[0] = 0xBEEF;
  for (std::int32_t s : {0, 122, 15000, 29890}) {
    f.Draw(s);
    for (int y = 0; y < 240; ++y) {
      for (int x = 0; x < 400; ++x) {
        const bool border = x < 5 || x >= 395 || y >= 236;
        if (border) {
          ASSERT_EQ(f.At(x, y), 0xBEEF) << x << "," << y;
        }
      }
    }
    // The first and last written rows and columns come from the clip.
    EXPECT_NE(f.At(5, 0), 0xBEEF);
    EXPECT_NE(f.At(394, 235), 0xBEEF);
  }
}

TEST(DrawClipFrame, CellsInterpolateTowardTheirRightAndLowerNeighbours) {
  ClipFixture f;
  // Cell (row 10, column 20) lands at frame column 100, row 40.
  f.Set(0, 10, 21, 255);
  f.Set(0, 11, 21, 255);
  f.Draw(0);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(f.Row(100, 40 + k), (std::array<int, 5>{0, 50, 100, 150, 200})) << "k " << k;
  }

  ClipFixture down;
  down.Set(0, 10, 20, 255);
  down.Set(0, 10, 21, 255);
  down.Draw(0);
  std::array<int, 4> column{};
  for (int k = 0; k < 4; ++k) column[k] = down.At(100, 40 + k);
  EXPECT_EQ(column, (std::array<int, 4>{255, 191, 127, 63}));  // the step down rounds to -64
  EXPECT_EQ(down.Row(100, 42), (std::array<int, 5>{127, 127, 127, 127, 127}));

  ClipFixture falling;
  falling.Set(0, 10, 20, 255);
  falling.Set(0, 11, 20, 255);
  falling.Draw(0);
  EXPECT_EQ(falling.Row(100, 40), (std::array<int, 5>{255, 204, 153, 102, 51}));
  // The cell to the left rises toward the bright pixel: 0, 50, ... as before.
  EXPECT_EQ(falling.Row(95, 41), (std::array<int, 5>{0, 50, 100, 150, 200}));

  // A step of -1 from index 1 runs below 0; the byte keeps the low 8 bits.
  ClipFixture dark;
  dark.Set(0, 10, 20, 1);
  dark.Set(0, 11, 20, 1);
  dark.Draw(0);
  EXPECT_EQ(dark.Row(100, 40), (std::array<int, 5>{1, 0, 255, 254, 253}));
  EXPECT_EQ(dark.Row(95, 40), (std::array<int, 5>{0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace vantrelle
