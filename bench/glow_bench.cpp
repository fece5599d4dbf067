#include <benchmark/benchmark.h>

#include "core/frame_buffer.h"
#include "effects/glow.h"

namespace vantrelle::bench {
namespace {

// A dim, busy frame such as a 3D scene leaves: few fields saturate.
void BM_ApplyGlow(benchmark::State& state) {
  static FrameBuffer scene;
  static FrameBuffer frame;
  std::uint32_t seed = 17;
  for (auto& p : scene) {
    seed = seed * 1664525u + 1013904223u;
    p = static_cast<std::uint16_t>((seed >> 18) & 0x39E7);
  }
  for (auto _ : state) {
    state.PauseTiming();
    frame = scene;
    state.ResumeTiming();
    ApplyGlow(frame);
    benchmark::DoNotOptimize(frame.data());
  }
}
BENCHMARK(BM_ApplyGlow);

}  // namespace
}  // namespace vantrelle::bench
