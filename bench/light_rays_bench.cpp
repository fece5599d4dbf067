#include <benchmark/benchmark.h>

#include "effects/light_rays.h"
#include "testing/synthetic_opening.h"

namespace vantrelle::bench {
namespace {

// The opening frame halfway through, with the show's centre and threshold.
void BM_DrawLightRays(benchmark::State& state) {
  synthetic::PrepareOpeningTables();
  static FrameBuffer composed;
  static FrameBuffer frame;
  synthetic::ComposeOpeningFrame(composed, synthetic::kOpeningTime);
  for (auto _ : state) {
    state.PauseTiming();
    frame = composed;
    state.ResumeTiming();
    DrawLightRays(frame, 200, synthetic::OpeningRayRow(synthetic::kOpeningTime), 1, 240);
    benchmark::DoNotOptimize(frame.data());
  }
}
BENCHMARK(BM_DrawLightRays);

}  // namespace
}  // namespace vantrelle::bench
