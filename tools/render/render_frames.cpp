#include "tools/render/render_frames.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <system_error>

#include "assets/data_inventory.h"
#include "assets/resolve_data_path.h"
#include "core/frame_buffer.h"
#include "timeline/load_and_precompute.h"
#include "timeline/timeline.h"
#include "tools/render/check_writable.h"
#include "tools/render/piped_process.h"
#include "tools/render/progress.h"
#include "tools/render/write_frame.h"

namespace vantrelle::render {
namespace {

struct CloseFile {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string PngName(DemoClock t) {
  char name[32];
  std::snprintf(name, sizeof name, "t%06d.png", static_cast<int>(t));
  return name;
}

// Starts ffmpeg for the video; "" or one line.
std::string StartVideo(const RenderRequest& request, PipedProcess& ffmpeg) {
  VideoSettings settings = request.video;
  settings.soundtrack = ResolveDataPath(request.dataDirectory, kSoundtrackFileName);
  std::error_code ignored;
  const bool silent = !std::filesystem::is_regular_file(settings.soundtrack, ignored);
  const std::filesystem::path missing = settings.soundtrack;
  if (silent) {
    settings.soundtrack.clear();
  }
  const Status started = ffmpeg.Start(FfmpegArguments(settings));
  if (started.kind == ErrorKind::kNotFound) {
    return "ffmpeg not found: videos are made with ffmpeg (Debian package ffmpeg)";
  }
  if (started.ok() && silent) {
    std::fprintf(stderr, "vantrelle-render: warning: no soundtrack at %s; the video will be silent\n",
                 missing.c_str());
  }
  return started.message;
}

}  // namespace

RenderStatus RenderFrames(const RenderRequest& request, std::string& error) {
  const bool video = !request.video.file.empty();
  if (video) {
    error = CheckWritable(request.video.file);
    if (!error.empty()) {
      return RenderStatus::kFailed;
    }
  }
  error = LoadAndPrecompute(request.dataDirectory);
  if (!error.empty()) {
    return RenderStatus::kDataError;
  }

  std::unique_ptr<std::FILE, CloseFile> ownedRaw;
  std::FILE* raw = nullptr;
  PipedProcess ffmpeg;
  if (video) {
    error = StartVideo(request, ffmpeg);
    if (!error.empty()) {
      return RenderStatus::kFailed;
    }
    raw = ffmpeg.Input();
  } else if (request.rawFile == "-") {
    raw = stdout;
  } else if (!request.rawFile.empty()) {
    ownedRaw.reset(std::fopen(request.rawFile.c_str(), "wb"));
    raw = ownedRaw.get();
    if (raw == nullptr) {
      error = "cannot write " + request.rawFile;
      return RenderStatus::kFailed;
    }
  } else {
    std::error_code made;
    std::filesystem::create_directories(request.pngDirectory, made);
    if (made) {
      error = "cannot make directory " + request.pngDirectory.string() + ": " + made.message();
      return RenderStatus::kFailed;
    }
  }
  // A video that did not come out whole is not left behind.
  auto failVideo = [&](std::string reason) {
    const std::string ended = ffmpeg.Finish();
    error = ended.empty() ? reason : ended;
    std::error_code ignored;
    std::filesystem::remove(request.video.file, ignored);
    return RenderStatus::kFailed;
  };

  const auto started = std::chrono::steady_clock::now();
  auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(); };
  Progress progress(stderr, ProgressStyleFor(request.quiet, stderr, static_cast<std::int64_t>(request.times.size())),
                    static_cast<std::int64_t>(request.times.size()));

  static FrameBuffer frame{};  // one frame for the whole run, never cleared
  static FrameBuffer previous{};
  frame.fill(0);
  std::int64_t done = 0;
  for (DemoClock t : request.times) {
    // Once the show is over the picture stays as it was.
    previous = frame;
    if (Timeline(frame, t) == 0) {
      frame = previous;
    }
    if (raw != nullptr) {
      if (!WriteRawFrame(raw, frame)) {
        if (video) {
          return failVideo("cannot send frame " + std::to_string(t) + " to ffmpeg");
        }
        error = "cannot write frame " + std::to_string(t) + " to " + request.rawFile;
        return RenderStatus::kFailed;
      }
    } else if (!WritePngFrame(request.pngDirectory / PngName(t), frame, request.pngScale)) {
      error = "cannot write " + (request.pngDirectory / PngName(t)).string();
      return RenderStatus::kFailed;
    }
    progress.Update(++done, elapsed());
  }
  if (video) {
    if (std::fflush(raw) != 0) {
      return failVideo("cannot send the last frames to ffmpeg");
    }
    error = ffmpeg.Finish();
    if (!error.empty()) {
      return failVideo(error);
    }
  } else if (raw != nullptr && std::fflush(raw) != 0) {
    error = "cannot write " + request.rawFile;
    return RenderStatus::kFailed;
  }
  progress.Finish(elapsed());
  return RenderStatus::kOk;
}

}  // namespace vantrelle::render
