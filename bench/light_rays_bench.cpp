#include <benchmark/benchmark.h>

#include "effects/light_rays.h"
#include "synthetic_opening.h"

namespace vantrelle::bench {
namespace {

// The opening frame halfway through, with the rays the score draws over it.
void BM_DrawLightRays(benchmark::State& state) {
  synthetic::PrepareOpeningTables();
  static FrameBuffer composed;
  static FrameBuffer frame;
  const LightRaysCall rays = synthetic::ComposeOpeningFrame(composed, synthetic::kOpeningTime);
  for (auto _ : state) {
    state.PauseTiming();
    frame = composed;
    state.ResumeTiming();
    DrawLightRays(frame, rays.centreColumn, rays.centreRow, rays.mode, rays.threshold);
    benchmark::DoNotOptimize(frame.data());
  }
}
BENCHMARK(BM_DrawLightRays);

}  // namespace
}  // namespace vantrelle::bench
