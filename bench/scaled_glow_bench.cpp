#include <benchmark/benchmark.h>

#include "effects/scaled_glow.h"
#include "synthetic_opening.h"

namespace vantrelle::bench {
namespace {

// The glow disc at its largest in the opening (t near 14.7 s): about 260 x 260 pixels.
void BM_DrawScaledGlow(benchmark::State& state) {
  synthetic::PrepareOpeningTables();
  static FrameBuffer frame;
  frame.fill(0x0841);
  const ScaledLayer g = OpeningLayoutAt(14000).glow;
  for (auto _ : state) {
    DrawScaledGlow(frame, GlowDisc.data(), g);
    benchmark::DoNotOptimize(frame.data());
  }
}
BENCHMARK(BM_DrawScaledGlow);

}  // namespace
}  // namespace vantrelle::bench
