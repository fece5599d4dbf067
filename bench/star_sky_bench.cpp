#include <benchmark/benchmark.h>

#include "synthetic_opening.h"

namespace vantrelle::bench {
namespace {

void BM_DrawStarSky(benchmark::State& state) {
  synthetic::PrepareOpeningTables();
  static FrameBuffer frame;
  std::int32_t y = 0;
  for (auto _ : state) {
    DrawStarSky(frame, StarSkyPicture.data(), GreyRamp.data(), 200, y++);  // wraps mid-row
    benchmark::DoNotOptimize(frame.data());
  }
}
BENCHMARK(BM_DrawStarSky);

}  // namespace
}  // namespace vantrelle::bench
