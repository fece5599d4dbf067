#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "core/frame_buffer.h"
#include "effects/blend_picture.h"

namespace vantrelle {
namespace {

// A greeting page dissolving into the clip: levels from 256 down to 1.
void BM_BlendPicture(benchmark::State& state) {
  std::mt19937 random(2);
  std::vector<std::uint8_t> picture(kFramePixels);
  for (auto& b : picture) b = static_cast<std::uint8_t>(random());
  std::array<std::uint16_t, 256> colours{};
  for (auto& c : colours) c = static_cast<std::uint16_t>(random());
  static FrameBuffer frame;
  for (auto& p : frame) p = static_cast<std::uint16_t>(random());
  std::int32_t level = 256;
  for (auto _ : state) {
    BlendPicture(frame, picture.data(), colours.data(), level);
    benchmark::DoNotOptimize(frame.data());
    level = level > 1 ? level - 1 : 256;
  }
}
BENCHMARK(BM_BlendPicture);

}  // namespace
}  // namespace vantrelle
