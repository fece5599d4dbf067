#include <benchmark/benchmark.h>

#include "testing/synthetic_opening.h"

namespace vantrelle::bench {
namespace {

// The planet at its largest in the opening (t near 14.7 s): it covers most of the frame.
void BM_DrawScaledMasked(benchmark::State& state) {
  synthetic::PrepareOpeningTables();
  static FrameBuffer frame;
  frame.fill(0x0841);
  const std::int32_t t = 14000;
  const std::int32_t d5 = t / 5;
  for (auto _ : state) {
    DrawScaledMasked(frame, PlanetColours.data(), PlanetMask.data(), 1152 - (d5 >> 1), (17 * t) / 462 + 1280,
                     d5 + 4096, d5 + 4096, 256, 256);
    benchmark::DoNotOptimize(frame.data());
  }
}
BENCHMARK(BM_DrawScaledMasked);

}  // namespace
}  // namespace vantrelle::bench
