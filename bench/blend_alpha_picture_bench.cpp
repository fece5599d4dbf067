#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "core/frame_buffer.h"
#include "effects/blend_alpha_picture.h"

namespace vantrelle {
namespace {

// A 140-column portrait over the right of the frame, as the show lays it.
void BM_BlendAlphaPicture(benchmark::State& state) {
  constexpr int kWidth = 140;
  std::mt19937 random(3);
  std::vector<std::uint16_t> picture(kWidth * kFrameHeight);
  std::vector<std::uint8_t> alpha(kWidth * kFrameHeight);
  for (auto& p : picture) p = static_cast<std::uint16_t>(random());
  for (auto& a : alpha) a = static_cast<std::uint8_t>(random());
  static FrameBuffer frame;
  for (auto& p : frame) p = static_cast<std::uint16_t>(random());
  for (auto _ : state) {
    BlendAlphaPicture(frame, picture.data(), alpha.data(), kWidth, kFrameWidth - kWidth);
    benchmark::DoNotOptimize(frame.data());
  }
}
BENCHMARK(BM_BlendAlphaPicture);

}  // namespace
}  // namespace vantrelle
