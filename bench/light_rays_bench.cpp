#include <benchmark/benchmark.h>

#include "bench/opening_frame.h"
#include "effects/light_rays.h"

namespace vantrelle::bench {
namespace {

// The opening frame halfway through, with the show's centre and threshold.
void BM_DrawLightRays(benchmark::State& state) {
  PrepareOpeningTables();
  static FrameBuffer composed;
  static FrameBuffer frame;
  ComposeOpeningFrame(composed, kOpeningTime);
  for (auto _ : state) {
    state.PauseTiming();
    frame = composed;
    state.ResumeTiming();
    DrawLightRays(frame, 200, OpeningRayRow(kOpeningTime), 1, 240);
    benchmark::DoNotOptimize(frame.data());
  }
}
BENCHMARK(BM_DrawLightRays);

}  // namespace
}  // namespace vantrelle::bench
