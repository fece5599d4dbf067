#include <benchmark/benchmark.h>

#include "effects/scaled_masked.h"
#include "synthetic_opening.h"

namespace vantrelle::bench {
namespace {

// The planet at its largest in the opening (t near 14.7 s): it covers most of the frame.
void BM_DrawScaledMasked(benchmark::State& state) {
  synthetic::PrepareOpeningTables();
  static FrameBuffer frame;
  frame.fill(0x0841);
  const ScaledLayer p = OpeningLayoutAt(14000).planet;
  for (auto _ : state) {
    DrawScaledMasked(frame, PlanetColours.data(), PlanetMask.data(), p);
    benchmark::DoNotOptimize(frame.data());
  }
}
BENCHMARK(BM_DrawScaledMasked);

}  // namespace
}  // namespace vantrelle::bench
