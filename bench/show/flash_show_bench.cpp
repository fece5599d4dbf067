// vantrelle_flash_show_bench [DATA_DIR] [FPS]: draws the whole show at FPS
// (default 60) on one thread and times, in this thread's CPU time, the
// drawing, the flash analysis and the reduced-flash filter (following the
// data set's flash.map) a frame, and counts the frames the filter leaves exact.

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bench_data_directory.h"
#include "core/frame_buffer.h"
#include "flash/flash_analysis.h"
#include "flash/reduce_flashing.h"
#include "timeline/load_and_precompute.h"
#include "timeline/timeline.h"

using vantrelle::bench::ThreadSeconds;

int main(int argc, char** argv) {
  namespace flash = vantrelle::flash;
  const std::filesystem::path executable = std::filesystem::canonical("/proc/self/exe");
  const std::filesystem::path data =
      vantrelle::bench::FindBenchDataDirectory(argc > 1 ? argv[1] : "", executable.parent_path());
  const int fps = argc > 2 ? std::atoi(argv[2]) : 60;
  if (data.empty() || fps < 1 || fps > 1000) {
    std::fprintf(stderr, "flash show bench: usage: vantrelle_flash_show_bench [DATA_DIR] [FPS 1..1000]\n");
    return 1;
  }
  if (const vantrelle::Status loaded = vantrelle::LoadAndPrecompute(data); !loaded.ok()) {
    std::fprintf(stderr, "flash show bench: %s\n", loaded.message.c_str());
    return 1;
  }
  const vantrelle::Result<flash::FlashMap> read = flash::ReadFlashMap(data / flash::kFlashMapFile);
  const flash::FlashMap map = read.ok() ? read.value() : flash::FlashMap{};
  std::printf("data: %s; map: %s, %zu stretches; %d fps\n", data.c_str(),
              read.ok() ? "read" : read.status().message.c_str(), map.stretches.size(), fps);

  static vantrelle::FrameBuffer frame{};
  static vantrelle::FrameBuffer shown{};
  flash::FlashAnalyser analyser;
  double drawing = 0, analysis = 0, filter = 0, filterInside = 0;
  long frames = 0, exactFrames = 0;
  for (long n = 0;; ++n) {
    const auto t = static_cast<vantrelle::DemoClock>(n * 1000 / fps);
    if (t >= vantrelle::kShowLengthMs) break;
    double begin = ThreadSeconds();
    vantrelle::Timeline(frame, t);
    double end = ThreadSeconds();
    drawing += end - begin;
    begin = end;
    analyser.Add(t, frame);
    end = ThreadSeconds();
    analysis += end - begin;
    begin = end;
    flash::ReduceFlashing(t, frame, map, shown);
    end = ThreadSeconds();
    filter += end - begin;
    ++frames;
    if (shown == frame) {
      ++exactFrames;
    } else {
      filterInside += end - begin;
    }
  }
  const double finishBegin = ThreadSeconds();
  const flash::FlashReport report = analyser.Finish(vantrelle::kShowLengthMs);
  analysis += ThreadSeconds() - finishBegin;
  std::printf("frames %ld; drawing %.2f s; analysis %.2f s (%.1f us a frame); failing seconds %zu\n", frames, drawing,
              analysis, 1e6 * analysis / static_cast<double>(frames), report.failingSeconds.size());
  std::printf("filter %.1f us a frame over the show, %.1f us a changed frame; frames left exact %ld (%.1f%%)\n",
              1e6 * filter / static_cast<double>(frames),
              frames > exactFrames ? 1e6 * filterInside / static_cast<double>(frames - exactFrames) : 0.0, exactFrames,
              100.0 * static_cast<double>(exactFrames) / static_cast<double>(frames));
  return 0;
}
