#include <benchmark/benchmark.h>

#include <array>

#include "core/frame_buffer.h"
#include "effects/text_strip.h"

namespace vantrelle::bench {
namespace {

// A strip of letter-like blocks over a lit frame, blurred by the given radius.
void BM_DrawTextStrip(benchmark::State& state) {
  static std::array<std::uint8_t, kStripWidth * kStripHeight> strip{};
  for (int y = 16; y < 48; ++y) {
    for (int x = 20; x < 380; ++x) strip[y * kStripWidth + x] = (x / 6 + y / 8) % 3 == 0 ? 255 : 0;
  }
  static FrameBuffer frame;
  const auto radius = static_cast<std::int32_t>(state.range(0));
  for (auto _ : state) {
    frame.fill(0xFFFF);
    DrawTextStrip(frame, strip.data(), 88, radius);
    benchmark::DoNotOptimize(frame.data());
  }
}
BENCHMARK(BM_DrawTextStrip)->Arg(0)->Arg(1)->Arg(57)->Arg(115);

}  // namespace
}  // namespace vantrelle::bench
