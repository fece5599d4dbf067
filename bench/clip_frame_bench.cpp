#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "core/frame_buffer.h"
#include "effects/clip_frame.h"

namespace vantrelle {
namespace {

// The clip scene: 246 frames of 80 x 60, a new one every 122 ms.
void BM_DrawClipFrame(benchmark::State& state) {
  constexpr int kFrames = 246;
  std::mt19937 random(5);
  std::vector<std::uint8_t> clip(kFrames * 80 * 60);
  for (auto& b : clip) b = static_cast<std::uint8_t>(random());
  std::array<std::uint16_t, 256> colours{};
  for (auto& c : colours) c = static_cast<std::uint16_t>(random());
  static FrameBuffer frame;
  std::int32_t s = 0;
  for (auto _ : state) {
    DrawClipFrame(frame, clip.data(), colours.data(), kFrames, s);
    benchmark::DoNotOptimize(frame.data());
    s = (s + 16) % (kFrames * 122);
  }
}
BENCHMARK(BM_DrawClipFrame);

}  // namespace
}  // namespace vantrelle
