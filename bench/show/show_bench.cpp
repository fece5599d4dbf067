// vantrelle_show_bench [DATA_DIR]: renders the whole show on one thread, a
// frame every 16 ms from 0 to the end, into one frame buffer that is never
// cleared (as the show does), and prints frames per second overall and per
// segment and the slowest frames. Start-up loading is not timed. Frames are
// timed in this thread's CPU time, which a busy machine disturbs less than
// the wall clock; the wall-clock total is printed too.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_data_directory.h"
#include "core/frame_buffer.h"
#include "timeline/load_and_precompute.h"
#include "timeline/timeline.h"

namespace {

constexpr vantrelle::DemoClock kStepMs = 16;  // about 60 frames a second of show time

struct SegmentFigures {
  int frames = 0;
  double seconds = 0;
  double slowestSeconds = 0;
  vantrelle::DemoClock slowestAt = 0;
};

}  // namespace

using vantrelle::bench::ThreadSeconds;

int main(int argc, char** argv) {
  using Clock = std::chrono::steady_clock;
  const std::filesystem::path executable = std::filesystem::canonical("/proc/self/exe");
  const std::filesystem::path data =
      vantrelle::bench::FindBenchDataDirectory(argc > 1 ? argv[1] : "", executable.parent_path());
  if (data.empty()) {
    std::fprintf(stderr, "show bench: cannot make a data directory\n");
    return 1;
  }
  if (const vantrelle::Status loaded = vantrelle::LoadAndPrecompute(data); !loaded.ok()) {
    std::fprintf(stderr, "show bench: %s\n", loaded.message.c_str());
    return 1;
  }
  std::printf("data: %s\n", data.c_str());

  static vantrelle::FrameBuffer frame{};
  const auto segments = vantrelle::ShowSegments();
  std::vector<SegmentFigures> figures(segments.size());
  double total = 0;
  int frames = 0;
  const Clock::time_point wallBegin = Clock::now();
  for (vantrelle::DemoClock t = 0; t < vantrelle::kShowLengthMs; t += kStepMs) {
    const double begin = ThreadSeconds();
    vantrelle::Timeline(frame, t);
    const double seconds = ThreadSeconds() - begin;
    const vantrelle::SegmentInfo* segment = vantrelle::SegmentAt(t);
    SegmentFigures& f = figures[static_cast<std::size_t>(segment->number - 1)];
    ++f.frames;
    f.seconds += seconds;
    if (seconds > f.slowestSeconds) {
      f.slowestSeconds = seconds;
      f.slowestAt = t;
    }
    total += seconds;
    ++frames;
  }

  const double wall = std::chrono::duration<double>(Clock::now() - wallBegin).count();
  std::printf("%-8s %-24s %7s %10s %12s %10s\n", "segment", "scene", "frames", "fps", "slowest us", "at ms");
  double slowest = 0;
  vantrelle::DemoClock slowestAt = 0;
  for (std::size_t i = 0; i < segments.size(); ++i) {
    const SegmentFigures& f = figures[i];
    std::printf("%-8d %-24s %7d %10.0f %12.1f %10d\n", segments[i].number, segments[i].scene, f.frames,
                f.frames / f.seconds, f.slowestSeconds * 1e6, f.slowestAt);
    if (f.slowestSeconds > slowest) {
      slowest = f.slowestSeconds;
      slowestAt = f.slowestAt;
    }
  }
  std::printf("whole show: %d frames in %.3f s of CPU time, %.0f frames per second; slowest frame %.1f us at %d ms\n",
              frames, total, frames / total, slowest * 1e6, slowestAt);
  std::printf("wall clock: %.3f s, %.0f frames per second\n", wall, frames / wall);
  return 0;
}
