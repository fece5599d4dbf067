// The reduced-flash filter's cost a frame (inside a stretch, and outside,
// where it is a copy), and the flash analysis's cost a frame.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "core/frame_buffer.h"
#include "flash/flash_analysis.h"
#include "flash/reduce_flashing.h"

namespace {

vantrelle::FrameBuffer PatternedFrame(std::uint32_t seed) {
  vantrelle::FrameBuffer frame{};
  std::uint32_t x = seed;
  for (std::uint16_t& pixel : frame) {
    x = x * 1664525u + 1013904223u;
    pixel = static_cast<std::uint16_t>(x >> 16);
  }
  return frame;
}

void BM_ReduceFlashingInsideAStretch(benchmark::State& state) {
  static const vantrelle::FrameBuffer exact = PatternedFrame(1);
  static vantrelle::FrameBuffer out{};
  vantrelle::flash::FlashMap map;
  map.stretches = {{1000, 2000, 300, 11000}};
  vantrelle::DemoClock t = 0;
  for (auto _ : state) {
    vantrelle::flash::ReduceFlashing(800 + t++ % 1200, exact, map, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_ReduceFlashingInsideAStretch);

void BM_ReduceFlashingOutside(benchmark::State& state) {
  static const vantrelle::FrameBuffer exact = PatternedFrame(2);
  static vantrelle::FrameBuffer out{};
  vantrelle::flash::FlashMap map;
  map.stretches = {{100000, 101000, 300, 11000}};
  for (auto _ : state) {
    vantrelle::flash::ReduceFlashing(5000, exact, map, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_ReduceFlashingOutside);

void BM_FlashAnalysisFrame(benchmark::State& state) {
  static const vantrelle::FrameBuffer frames[2] = {PatternedFrame(3), PatternedFrame(4)};
  vantrelle::flash::FlashAnalyser analyser;
  vantrelle::DemoClock t = 0;
  for (auto _ : state) {
    analyser.Add(t, frames[t % 2]);
    t += 16;
  }
}
BENCHMARK(BM_FlashAnalysisFrame);

}  // namespace
