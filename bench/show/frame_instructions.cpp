// vantrelle_frame_instructions [DATA_DIR [MS...]]: run under callgrind with
// --instr-atstart=no (bench/count_instructions.sh does). For each segment it
// renders the frame 16 ms before the segment's middle uninstrumented, then
// the middle frame with collection on, and dumps that frame's counts as
// "segment N at T". Times given after the data directory replace the
// middles.
#include <valgrind/callgrind.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_data_directory.h"
#include "core/frame_buffer.h"
#include "timeline/load_and_precompute.h"
#include "timeline/timeline.h"

int main(int argc, char** argv) {
  const std::filesystem::path executable = std::filesystem::canonical("/proc/self/exe");
  const std::filesystem::path data =
      vantrelle::bench::FindBenchDataDirectory(argc > 1 ? argv[1] : "", executable.parent_path());
  if (data.empty()) {
    std::fprintf(stderr, "frame instructions: cannot make a data directory\n");
    return 1;
  }
  if (const vantrelle::Status loaded = vantrelle::LoadAndPrecompute(data); !loaded.ok()) {
    std::fprintf(stderr, "frame instructions: %s\n", loaded.message.c_str());
    return 1;
  }
  std::vector<vantrelle::DemoClock> times;
  for (int i = 2; i < argc; ++i) {
    times.push_back(std::stoi(argv[i]));
  }
  if (times.empty()) {
    for (const vantrelle::SegmentInfo& segment : vantrelle::ShowSegments()) {
      // On the show's 16 ms grid, so the frame before is one the show draws too.
      times.push_back((segment.start + segment.end) / 2 / 16 * 16);
    }
  }
  static vantrelle::FrameBuffer frame{};
  CALLGRIND_START_INSTRUMENTATION;
  for (const vantrelle::DemoClock middle : times) {
    const vantrelle::SegmentInfo* segment = vantrelle::SegmentAt(middle);
    if (segment == nullptr) {
      continue;
    }
    vantrelle::Timeline(frame, middle - 16);
    CALLGRIND_ZERO_STATS;
    CALLGRIND_TOGGLE_COLLECT;
    vantrelle::Timeline(frame, middle);
    CALLGRIND_TOGGLE_COLLECT;
    const std::string name = "segment " + std::to_string(segment->number) + " at " + std::to_string(middle);
    CALLGRIND_DUMP_STATS_AT(name.c_str());
  }
  CALLGRIND_STOP_INSTRUMENTATION;
  return 0;
}
