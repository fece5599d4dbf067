#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "assets/build_effect_tables.h"
#include "core/frame_buffer.h"
#include "core/sin_tables.h"
#include "effects/radial_texture.h"

namespace vantrelle {
namespace {

// The portrait scenes: show time from 60,984 ms on, a frame every 16 ms.
void BM_DrawRadialTexture(benchmark::State& state) {
  BuildSinCosTables();
  BuildEffectTables();
  std::mt19937 random(4);
  std::vector<std::uint16_t> texture(65536);
  for (auto& c : texture) c = static_cast<std::uint16_t>(random());
  static FrameBuffer frame;
  std::int32_t t = 60984;
  for (auto _ : state) {
    DrawRadialTexture(frame, texture.data(), t);
    benchmark::DoNotOptimize(frame.data());
    t = t < 88703 ? t + 16 : 60984;
  }
}
BENCHMARK(BM_DrawRadialTexture);

}  // namespace
}  // namespace vantrelle
