#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "core/frame_buffer.h"
#include "effects/zoom_page.h"

namespace vantrelle {
namespace {

// One credits segment, frame after frame at about 60 frames per second.
void BM_DrawZoomPage(benchmark::State& state) {
  std::mt19937 random(1);
  std::vector<std::uint8_t> page(kFramePixels);
  for (auto& b : page) b = static_cast<std::uint8_t>(random());
  std::array<std::uint16_t, 256> colours{};
  for (auto& c : colours) c = static_cast<std::uint16_t>(random());
  static FrameBuffer frame;
  std::int32_t s = 0;
  for (auto _ : state) {
    DrawZoomPage(frame, page.data(), colours.data(), s);
    benchmark::DoNotOptimize(frame.data());
    s = (s + 17) % 1848;
  }
}
BENCHMARK(BM_DrawZoomPage);

}  // namespace
}  // namespace vantrelle
