// vantrelle_frame_instructions [--every MS] [DATA_DIR [MS...]]: run under
// callgrind with collection off at start (bench/count_instructions.sh does).
// Each counted frame is dumped as "segment N at T". By default it counts the
// middle frame of each segment, after drawing the frame 16 ms before it
// uncounted; times given after the data directory replace the middles.
// --every MS draws the show on its 16 ms grid from the start and counts every
// frame whose time is a multiple of MS (a multiple of 16).
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_data_directory.h"
#include "core/demo_clock.h"
#include "core/frame_buffer.h"
#include "timeline/load_and_precompute.h"
#include "timeline/timeline.h"

namespace {

constexpr vantrelle::DemoClock kShowStepMs = 16;  // the show draws a frame every 16 ms

vantrelle::FrameBuffer frame{};

// Draws the frame at t with collection on and dumps its counts.
void CountFrame(vantrelle::DemoClock t) {
  const vantrelle::SegmentInfo* segment = vantrelle::SegmentAt(t);
  CALLGRIND_ZERO_STATS;
  CALLGRIND_TOGGLE_COLLECT;
  vantrelle::Timeline(frame, t);
  CALLGRIND_TOGGLE_COLLECT;
  const std::string name = "segment " + std::to_string(segment->number) + " at " + std::to_string(t);
  CALLGRIND_DUMP_STATS_AT(name.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  vantrelle::DemoClock every = 0;
  if (argc > 2 && std::strcmp(argv[1], "--every") == 0) {
    every = std::stoi(argv[2]);
    first = 3;
    if (every <= 0 || every % kShowStepMs != 0) {
      std::fprintf(stderr, "frame instructions: --every %s is not a positive multiple of 16\n", argv[2]);
      return 1;
    }
  }
  const std::filesystem::path executable = std::filesystem::canonical("/proc/self/exe");
  const std::filesystem::path data =
      vantrelle::bench::FindBenchDataDirectory(argc > first ? argv[first] : "", executable.parent_path());
  if (data.empty()) {
    std::fprintf(stderr, "frame instructions: cannot make a data directory\n");
    return 1;
  }
  if (const vantrelle::Status loaded = vantrelle::LoadAndPrecompute(data); !loaded.ok()) {
    std::fprintf(stderr, "frame instructions: %s\n", loaded.message.c_str());
    return 1;
  }
  CALLGRIND_START_INSTRUMENTATION;  // loading runs uninstrumented, which is much faster
  if (every > 0) {
    for (vantrelle::DemoClock t = 0; t < vantrelle::kShowLengthMs; t += kShowStepMs) {
      if (t % every == 0) {
        CountFrame(t);
      } else if ((t + kShowStepMs) % every == 0) {
        vantrelle::Timeline(frame, t);  // the frame before a counted one, as the show leaves it
      }
    }
    return 0;
  }
  std::vector<vantrelle::DemoClock> times;
  for (int i = first + 1; i < argc; ++i) {
    times.push_back(std::stoi(argv[i]));
  }
  if (times.empty()) {
    for (const vantrelle::SegmentInfo& segment : vantrelle::ShowSegments()) {
      // On the show's 16 ms grid, so the frame before is one the show draws too.
      times.push_back((segment.start + segment.end) / 2 / 16 * 16);
    }
  }
  for (const vantrelle::DemoClock middle : times) {
    if (vantrelle::SegmentAt(middle) == nullptr) {
      continue;
    }
    vantrelle::Timeline(frame, middle - kShowStepMs);
    CountFrame(middle);
  }
  return 0;
}
