#include "tools/render/render_frames.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>
#include <utility>

#include "assets/data_inventory.h"
#include "assets/resolve_data_path.h"
#include "core/frame_buffer.h"
#include "platform/replace_file.h"
#include "platform/turn_display_to_landscape.h"
#include "timeline/load_and_precompute.h"
#include "timeline/timeline.h"
#include "tools/render/check_writable.h"
#include "tools/render/piped_process.h"
#include "tools/render/plan_soundtrack.h"
#include "tools/render/progress.h"
#include "tools/render/stop_signals.h"
#include "tools/render/write_frame.h"

namespace vantrelle::render {
namespace {

struct CloseFile {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// A FIFO or a character device: something read as it is written, not kept.
bool IsStream(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode));
}

bool WriteAll(int fd, const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = write(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

Status CannotWrite(std::string message) { return Status::Failure(ErrorKind::kUnwritable, std::move(message)); }

std::string PngName(DemoClock t) {
  char name[32];
  std::snprintf(name, sizeof name, "t%06d.png", static_cast<int>(t));
  return name;
}

// Starts ffmpeg writing the video into `file`. Any failure to start it means
// the video cannot be made: kUnwritable.
Status StartVideo(const RenderRequest& request, const std::filesystem::path& file, PipedProcess& ffmpeg) {
  VideoSettings settings = request.video;
  settings.file = file;
  const SoundtrackPlan plan =
      PlanSoundtrack(ResolveDataPath(request.dataDirectory, kSoundtrackFileName), settings.from, settings.to);
  // ffmpeg gets the samples our decoder checked, from the range's start on, in
  // an anonymous file it reads as its descriptor 3: never the MP3 itself,
  // whose bytes it might take for something else (a playlist naming other files).
  int samples = -1;
  if (plan.withSound) {
    const platform::DecodedSound& sound = plan.sound;
    const std::size_t first = static_cast<std::size_t>(std::int64_t{settings.from} * sound.rate / 1000) *
                              static_cast<std::size_t>(sound.channels);
    samples = memfd_create("vantrelle-render-soundtrack", MFD_CLOEXEC);
    if (samples < 0 ||
        !WriteAll(samples, sound.samples.data() + first, (sound.samples.size() - first) * sizeof(std::int16_t))) {
      const std::string reason = std::strerror(errno);
      if (samples >= 0) close(samples);
      return CannotWrite("cannot hold the decoded soundtrack for ffmpeg: " + reason);
    }
    settings.soundtrack = "/dev/fd/3";
    settings.soundRate = sound.rate;
    settings.soundChannels = sound.channels;
  }
  const Status started = ffmpeg.Start(FfmpegArguments(settings), samples);
  if (samples >= 0) {
    close(samples);  // ffmpeg has its own
  }
  if (started.kind == ErrorKind::kNotFound) {
    return CannotWrite("ffmpeg not found: videos are made with ffmpeg (Debian package ffmpeg)");
  }
  if (!started.ok()) {
    return CannotWrite(started.message);
  }
  if (!plan.warning.empty()) {
    std::fprintf(stderr, "vantrelle-render: %s\n", plan.warning.c_str());
  }
  return {};
}

}  // namespace

Status RenderFrames(const RenderRequest& request) {
  CatchStopSignals();
  // A closed pipe on --raw - makes the write fail, reported in one line, rather than kill us.
  std::signal(SIGPIPE, SIG_IGN);
  const bool video = !request.video.file.empty();
  const bool rawFile = !video && !request.rawFile.empty() && request.rawFile != "-";
  // Raw frames are a stream: into a FIFO or a device (/dev/null) they go straight
  // in, since there is no file to lose; anywhere else as any other output.
  const bool rawStream = rawFile && IsStream(request.rawFile);
  if (video || (rawFile && !rawStream)) {
    if (Status writable = CheckWritable(video ? request.video.file : std::filesystem::path(request.rawFile));
        !writable.ok()) {
      return writable;
    }
  }
  if (Status loaded = LoadAndPrecompute(request.dataDirectory); !loaded.ok()) {
    return loaded;
  }

  // Files are written beside their target and renamed over it when complete.
  platform::ReplacementFile output;
  std::unique_ptr<std::FILE, CloseFile> stream;
  std::FILE* raw = nullptr;
  PipedProcess ffmpeg;
  // An interrupted render ends ffmpeg and leaves no partial file: the target keeps what it had.
  auto stop = [&](std::int64_t done = 0) {
    ffmpeg.Kill();
    output.Discard();
    const std::filesystem::path target = video ? request.video.file : std::filesystem::path(request.rawFile);
    return Status::Failure(ErrorKind::kStopped,
                           std::string("stopped by SIG") + sigabbrev_np(StopSignal()) + " after " +
                               std::to_string(done) + " of " + std::to_string(request.times.Count()) + " frames" +
                               (video || rawFile ? "; " + target.string() + " is left as it was" : ""));
  };
  if (video) {
    Status opened = output.Open(request.video.file);
    if (opened.ok()) {
      opened = StartVideo(request, output.TemporaryPath(), ffmpeg);
    }
    if (!opened.ok()) {
      return opened;
    }
    raw = ffmpeg.Input();
  } else if (request.rawFile == "-") {
    raw = stdout;
  } else if (rawStream) {
    // Opening a FIFO waits for its reader; a stop signal ends the wait.
    if (StopSignal() != 0) {
      return stop();
    }
    stream.reset(std::fopen(request.rawFile.c_str(), "wb"));
    raw = stream.get();
    if (raw == nullptr && StopSignal() != 0) {
      return stop();
    }
    if (raw == nullptr) {
      return CannotWrite("cannot write " + request.rawFile + ": " + std::strerror(errno));
    }
  } else if (!request.rawFile.empty()) {
    if (Status opened = output.Open(request.rawFile); !opened.ok()) {
      return opened;
    }
    raw = output.Stream();
  } else {
    std::error_code made;
    std::filesystem::create_directories(request.pngDirectory, made);
    if (made) {
      return CannotWrite("cannot make directory " + request.pngDirectory.string() + ": " + made.message());
    }
  }
  // A video that did not come out whole is not left behind.
  auto failVideo = [&](const std::string& reason) {
    const Status ended = ffmpeg.Finish();
    output.Discard();
    return CannotWrite("cannot write " + request.video.file.string() + ": " + (ended.ok() ? reason : ended.message));
  };

  const auto started = std::chrono::steady_clock::now();
  auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(); };
  const std::int64_t count = request.times.Count();
  Progress progress(stderr, ProgressStyleFor(request.quiet, stderr, count), count);
  progress.Start();

  static FrameBuffer frame{};  // one frame for the whole run, never cleared
  static FrameBuffer previous{};
  static FrameBuffer upright{};  // the frame turned, for --portrait: 240 pixels a row
  frame.fill(0);
  std::int64_t done = 0;
  for (std::int64_t n = 0; n < count; ++n) {
    if (StopSignal() != 0) {
      return stop(done);
    }
    const DemoClock t = request.times.At(n);
    // Once the show is over the picture stays as it was.
    previous = frame;
    if (Timeline(frame, t) == 0) {
      frame = previous;
    }
    if (request.portrait) {
      platform::TurnLandscapeToDisplay(frame.data(), upright.data());
    }
    const FrameBuffer& shown = request.portrait ? upright : frame;
    if (raw != nullptr) {
      if (Status written = WriteRawFrame(raw, shown); !written.ok()) {
        if (StopSignal() != 0) {
          return stop(done);
        }
        if (video) {
          return failVideo("cannot send frame " + std::to_string(t) + " to ffmpeg");
        }
        return CannotWrite("cannot write frame " + std::to_string(t) + " to " +
                           (rawFile ? request.rawFile : std::string("standard output")) + ": " + written.message);
      }
    } else if (Status written = request.portrait
                                    ? WritePngImage(request.pngDirectory / PngName(t),
                                                    PictureToRgb(shown.data(), platform::kPortraitWidth,
                                                                 platform::kPortraitHeight, request.pngScale))
                                    : WritePngFrame(request.pngDirectory / PngName(t), frame, request.pngScale);
               !written.ok()) {
      return written;
    }
    progress.Update(++done, elapsed());
  }
  if (StopSignal() != 0) {
    return stop(done);
  }
  if (video) {
    // A stop signal while ffmpeg finishes ends it there too.
    const bool flushed = std::fflush(raw) == 0;
    if (StopSignal() != 0) {
      return stop(done);
    }
    if (!flushed) {
      return failVideo("cannot send the last frames to ffmpeg");
    }
    const Status ended = ffmpeg.Finish();
    if (StopSignal() != 0) {
      return stop(done);
    }
    if (!ended.ok()) {
      return failVideo(ended.message);
    }
    // ffmpeg's status alone is not trusted: the video must be there and not empty.
    if (Status committed = output.Commit(); !committed.ok()) {
      return CannotWrite("ffmpeg reported success, but " + committed.message);
    }
  } else if ((raw == stdout || rawStream) && std::fflush(raw) != 0) {
    return CannotWrite("cannot write " + (rawStream ? request.rawFile : std::string("to standard output")) + ": " +
                       std::strerror(errno));
  } else if (raw != nullptr && raw != stdout && !rawStream) {
    if (Status committed = output.Commit(); !committed.ok()) {
      return committed;
    }
  }
  progress.Finish(elapsed());
  return {};
}

}  // namespace vantrelle::render
