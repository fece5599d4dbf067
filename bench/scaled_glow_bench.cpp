#include <benchmark/benchmark.h>

#include "testing/synthetic_opening.h"

namespace vantrelle::bench {
namespace {

// The glow disc at its largest in the opening (t near 14.7 s): about 260 x 260 pixels.
void BM_DrawScaledGlow(benchmark::State& state) {
  synthetic::PrepareOpeningTables();
  static FrameBuffer frame;
  frame.fill(0x0841);
  const std::int32_t t = 14000;
  const std::int32_t d9 = t / 9;
  for (auto _ : state) {
    DrawScaledGlow(frame, GlowDisc.data(), 1920 - (d9 >> 1), 1600 - (37 * t) / 462, d9 + 2560, d9 + 2560, 160, 160);
    benchmark::DoNotOptimize(frame.data());
  }
}
BENCHMARK(BM_DrawScaledGlow);

}  // namespace
}  // namespace vantrelle::bench
