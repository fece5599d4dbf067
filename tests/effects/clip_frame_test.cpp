// Which clip frame shows when. What a frame looks like is pinned by the
// whole-show hashes (the clip plays whole under the greetings); its loop and
// times before the scene are not reached there.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "core/frame_buffer.h"
#include "effects/clip_frame.h"

namespace vantrelle {
namespace {

TEST(DrawClipFrame, EachClipFrameLasts122MillisecondsAndTheClipLoops) {
  constexpr int kFrames = 246;
  constexpr int kFrameBytes = 80 * 60;
  std::vector<std::uint8_t> clip(kFrames * kFrameBytes);
  for (std::size_t i = 0; i < clip.size(); ++i) clip[i] = static_cast<std::uint8_t>(i / kFrameBytes);  // its number
  std::array<std::uint16_t, 256> colours{};
  for (int i = 0; i < 256; ++i) colours[i] = static_cast<std::uint16_t>(i);
  auto frame = std::make_unique<FrameBuffer>();
  for (auto [s, shown] : {std::pair{0, 0},
                          {121, 0},
                          {122, 1},
                          {243, 1},
                          {244, 2},
                          {30011, 245},
                          {30012, 0},
                          {30134, 1},
                          {-1, 0},
                          {-122, 245}}) {
    DrawClipFrame(*frame, clip.data(), colours.data(), kFrames, s);
    EXPECT_EQ((*frame)[120 * kFrameWidth + 200], shown) << "s " << s;
  }
}

}  // namespace
}  // namespace vantrelle
