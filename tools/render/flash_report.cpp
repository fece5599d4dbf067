#include "tools/render/flash_report.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "assets/data_inventory.h"
#include "assets/resolve_data_path.h"
#include "core/frame_buffer.h"
#include "flash/flash_analysis.h"
#include "flash/make_flash_map.h"
#include "flash/reduce_flashing.h"
#include "platform/replace_file.h"
#include "timeline/load_and_precompute.h"
#include "timeline/timeline.h"
#include "tools/render/frame_times.h"
#include "tools/render/stop_signals.h"

namespace vantrelle::render {
namespace {

constexpr int kQueuedFrames = 4;  // drawn ahead of the analysis, so both cores stay busy

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Draws [from, to) at `fps` (reduced through `map` when given) on this thread
// while `analyser` reads the frames on another.
Status AnalyseRange(DemoClock from, DemoClock to, int fps, const flash::FlashMap* map, flash::FlashAnalyser& analyser) {
  const FrameTimes times = FrameTimes::AtRate(from, to, fps);
  const std::int64_t count = times.Count();
  auto slots = std::make_unique<std::array<FrameBuffer, kQueuedFrames>>();
  std::array<DemoClock, kQueuedFrames> slotTimes{};
  std::mutex mutex;
  std::condition_variable changed;
  std::int64_t drawn = 0;
  std::int64_t read = 0;
  bool stopped = false;
  std::thread reader([&] {
    for (std::int64_t n = 0;; ++n) {
      std::unique_lock lock(mutex);
      changed.wait(lock, [&] { return drawn > n || stopped; });
      if (drawn <= n) return;
      lock.unlock();
      const auto slot = static_cast<std::size_t>(n % kQueuedFrames);
      analyser.Add(slotTimes[slot] - from, (*slots)[slot]);
      lock.lock();
      read = n + 1;
      changed.notify_all();
    }
  });
  static FrameBuffer frame{};  // drawn over, never cleared, as the show does
  frame.fill(0);
  Status status;
  for (std::int64_t n = 0; n < count; ++n) {
    if (StopSignal() != 0) {
      status = Status::Failure(ErrorKind::kStopped, std::string("stopped by SIG") + sigabbrev_np(StopSignal()));
      break;
    }
    const DemoClock t = times.At(n);
    static_cast<void>(Timeline(frame, t));
    {
      std::unique_lock lock(mutex);
      changed.wait(lock, [&] { return n - read < kQueuedFrames; });
    }
    const auto slot = static_cast<std::size_t>(n % kQueuedFrames);
    slotTimes[slot] = t;
    if (map != nullptr) {
      flash::ReduceFlashing(t, frame, *map, (*slots)[slot]);
    } else {
      (*slots)[slot] = frame;
    }
    std::lock_guard lock(mutex);
    drawn = n + 1;
    changed.notify_all();
  }
  {
    std::lock_guard lock(mutex);
    stopped = true;
    changed.notify_all();
  }
  reader.join();
  return status;
}

std::vector<std::filesystem::path> DataFiles(const std::filesystem::path& dataDirectory) {
  std::vector<std::filesystem::path> files;
  for (const DataFile& file : kDataFiles) files.push_back(ResolveDataPath(dataDirectory, file.name));
  return files;
}

std::string Json(const flash::FlashReport& report, const FlashReportRequest& request) {
  std::string text =
      "{\n  \"fps\": " + std::to_string(request.fps) + ",\n  \"field_px\": " + std::to_string(request.fieldPx) +
      ",\n  \"from_ms\": " + std::to_string(request.from) + ",\n  \"to_ms\": " + std::to_string(request.to) +
      ",\n  \"reduced\": " + (request.reduce ? "true" : "false") + ",\n  \"failing_seconds\": [";
  for (std::size_t i = 0; i < report.failingSeconds.size(); ++i) {
    text += (i == 0 ? "" : ", ") + std::to_string(report.failingSeconds[i]);
  }
  text += "],\n  \"screen_failing_seconds\": " + std::to_string(report.ScreenFailing()) +
          ",\n  \"region_failing_seconds\": " + std::to_string(report.RegionFailing()) + ",\n  \"seconds\": [";
  for (std::size_t k = 0; k < report.seconds.size(); ++k) {
    const flash::SecondCounts& s = report.seconds[k];
    text += std::string(k == 0 ? "\n" : ",\n") + "    {\"second\": " + std::to_string(k) +
            ", \"screen\": {\"general\": " + std::to_string(s.screen.general) +
            ", \"red\": " + std::to_string(s.screen.red) + ", \"fails\": " + (s.screenFails ? "true" : "false") +
            "}, \"region\": {\"general\": " + std::to_string(s.region.general) +
            ", \"red\": " + std::to_string(s.region.red) + ", \"x\": " + std::to_string(s.regionX) +
            ", \"y\": " + std::to_string(s.regionY) + ", \"fails\": " + (s.regionFails ? "true" : "false") + "}}";
  }
  return text + "\n  ]\n}\n";
}

std::string Csv(const flash::FlashReport& report) {
  std::string text =
      "second,screen_general,screen_red,screen_fails,region_general,region_red,region_x,region_y,region_fails\n";
  for (std::size_t k = 0; k < report.seconds.size(); ++k) {
    const flash::SecondCounts& s = report.seconds[k];
    text += std::to_string(k) + "," + std::to_string(s.screen.general) + "," + std::to_string(s.screen.red) + "," +
            (s.screenFails ? "1" : "0") + "," + std::to_string(s.region.general) + "," + std::to_string(s.region.red) +
            "," + std::to_string(s.regionX) + "," + std::to_string(s.regionY) + "," + (s.regionFails ? "1" : "0") +
            "\n";
  }
  return text;
}

// Beside the target and renamed over it once whole, as every output of the tool.
Status WriteText(const std::filesystem::path& file, const std::string& text) {
  platform::ReplacementFile out;
  if (Status opened = out.Open(file); !opened.ok()) return opened;
  if (std::fwrite(text.data(), 1, text.size(), out.Stream()) != text.size()) {
    return Status::Failure(ErrorKind::kUnwritable, file.string() + ": cannot write it: " + std::strerror(errno));
  }
  return out.Commit();
}

Result<flash::FlashMap> MakeMap(const std::filesystem::path& dataDirectory, bool quiet) {
  const Result<std::uint64_t> fingerprint = flash::DataFingerprint(DataFiles(dataDirectory));
  if (!fingerprint.ok()) return fingerprint.status();
  const auto started = std::chrono::steady_clock::now();
  const auto pass = [&](int fps, const flash::FlashMap* map, flash::FlashAnalyser& analyser) {
    if (!quiet) {
      std::fprintf(stderr, "vantrelle-render: flash map: analysing the %s show at %d fps\n",
                   map == nullptr ? "exact" : "reduced", fps);
    }
    return AnalyseRange(0, kShowLengthMs, fps, map, analyser);
  };
  flash::MapProgress progress;
  Result<flash::FlashMap> map =
      flash::MakeFlashMap(pass, flash::kCheckedRates, flash::kDefaultFieldPx, fingerprint.value(), &progress);
  if (map.ok() && !quiet) {
    std::fprintf(stderr, "vantrelle-render: flash map: %zu stretches, %d analyses, %.1f s%s\n",
                 map.value().stretches.size(), progress.passes, Seconds(started),
                 progress.passesAll ? "" : "; the reduced show still fails somewhere");
  }
  return map;
}

}  // namespace

std::string FlashReportProblem(const std::filesystem::path& file) {
  const std::string extension = file.extension().string();
  if (extension != ".json" && extension != ".csv") {
    return "--flash-report " + file.string() + ": say .json or .csv";
  }
  return {};
}

Status WriteFlashReport(const FlashReportRequest& request) {
  CatchStopSignals();
  flash::FlashMap map;
  if (!request.reduce) {
    if (Status loaded = LoadAndPrecompute(request.dataDirectory); !loaded.ok()) return loaded;
  } else {
    Result<flash::FlashMap> found = FlashMapFor(request.dataDirectory, request.quiet);
    if (!found.ok()) return found.status();
    map = found.value();
  }
  const auto started = std::chrono::steady_clock::now();
  flash::FlashAnalyser analyser(request.fieldPx);
  if (Status done = AnalyseRange(request.from, request.to, request.fps, request.reduce ? &map : nullptr, analyser);
      !done.ok()) {
    return done;
  }
  const flash::FlashReport report = analyser.Finish(request.to - request.from);
  const std::string extension = request.file.extension().string();
  if (Status written = WriteText(request.file, extension == ".csv" ? Csv(report) : Json(report, request));
      !written.ok()) {
    return written;
  }
  std::printf("%s: %zu of %zu seconds fail (whole screen %d, %d px regions %d) at %d fps%s, %.1f s\n",
              request.file.string().c_str(), report.failingSeconds.size(), report.seconds.size(),
              report.ScreenFailing(), request.fieldPx, report.RegionFailing(), request.fps,
              request.reduce ? ", flashing reduced" : "", Seconds(started));
  return {};
}

Result<flash::FlashMap> FlashMapFor(const std::filesystem::path& dataDirectory, bool quiet) {
  if (Status loaded = LoadAndPrecompute(dataDirectory); !loaded.ok()) return loaded;
  const Result<std::uint64_t> fingerprint = flash::DataFingerprint(DataFiles(dataDirectory));
  if (!fingerprint.ok()) return fingerprint.status();
  const std::filesystem::path file = dataDirectory / flash::kFlashMapFile;
  Result<flash::FlashMap> read = flash::ReadFlashMap(file);
  if (read.ok() && read.value().fingerprint == fingerprint.value()) return read;
  if (!quiet) {
    std::fprintf(stderr, "vantrelle-render: %s; making the flash map now\n",
                 read.ok() ? (file.string() + ": made from other data").c_str() : read.status().message.c_str());
  }
  return MakeMap(dataDirectory, quiet);
}

Status WriteFlashMapFile(const std::filesystem::path& dataDirectory, const std::filesystem::path& file, bool quiet) {
  CatchStopSignals();
  if (Status loaded = LoadAndPrecompute(dataDirectory); !loaded.ok()) return loaded;
  const Result<flash::FlashMap> map = MakeMap(dataDirectory, quiet);
  if (!map.ok()) return map.status();
  return WriteText(file, flash::FlashMapText(map.value()));
}

}  // namespace vantrelle::render
