#include "tools/render/frame_sinks.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>
#include <variant>

#include "assets/data_inventory.h"
#include "assets/resolve_data_path.h"
#include "platform/replace_file.h"
#include "platform/turn_display_to_landscape.h"
#include "tools/render/check_writable.h"
#include "tools/render/piped_process.h"
#include "tools/render/plan_soundtrack.h"
#include "tools/render/stop_signals.h"
#include "tools/render/write_frame.h"

namespace vantrelle::render {
namespace {

struct CloseFile {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

Status CannotWrite(std::string message) { return Status::Failure(ErrorKind::kUnwritable, std::move(message)); }

Status Stopped() { return Status::Failure(ErrorKind::kStopped, ""); }

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

// Raw frames to standard output ("-"), to a stream, or to a file. Into a
// FIFO or a device (/dev/null) they go straight in, since there is no file to
// lose; a file is written beside its target and renamed over it when complete.
class RawSink final : public FrameSink {
 public:
  explicit RawSink(std::string target)
      : target_(std::move(target)), toStdout_(target_ == "-"), isStream_(!toStdout_ && IsStream(target_)) {}

  Status Check() override { return toStdout_ || isStream_ ? Status{} : CheckWritable(target_); }

  Status Open() override {
    if (toStdout_) {
      out_ = stdout;
      return {};
    }
    if (!isStream_) {
      Status opened = output_.Open(target_);
      out_ = output_.Stream();
      return opened;
    }
    // Opening a FIFO waits for its reader; a stop signal ends the wait.
    if (StopSignal() != 0) {
      return Stopped();
    }
    stream_.reset(std::fopen(target_.c_str(), "wb"));
    out_ = stream_.get();
    if (out_ == nullptr && StopSignal() != 0) {
      return Stopped();
    }
    if (out_ == nullptr) {
      return CannotWrite("cannot write " + target_ + ": " + std::strerror(errno));
    }
    return {};
  }

  Status Write(DemoClock t, const FrameBuffer& shown) override {
    Status written = WriteRawFrame(out_, shown);
    if (written.ok()) {
      return written;
    }
    if (StopSignal() != 0) {
      return Stopped();
    }
    return CannotWrite("cannot write frame " + std::to_string(t) + " to " +
                       (toStdout_ ? std::string("standard output") : target_) + ": " + written.message);
  }

  Status Finish() override {
    if (!toStdout_ && !isStream_) {
      return output_.Commit();
    }
    if (std::fflush(out_) != 0) {
      return CannotWrite("cannot write " + (isStream_ ? target_ : std::string("to standard output")) + ": " +
                         std::strerror(errno));
    }
    return {};
  }

  void Discard() override { output_.Discard(); }

 private:
  std::string target_;
  bool toStdout_;
  bool isStream_;
  platform::ReplacementFile output_;
  std::unique_ptr<std::FILE, CloseFile> stream_;
  std::FILE* out_ = nullptr;
};

// One PNG file per frame, named by its time, in a folder made if missing.
// Files already written stay when the render stops.
class PngSink final : public FrameSink {
 public:
  PngSink(std::filesystem::path folder, int scale, bool portrait)
      : folder_(std::move(folder)), scale_(scale), portrait_(portrait) {}

  Status Open() override {
    std::error_code made;
    std::filesystem::create_directories(folder_, made);
    if (made) {
      return CannotWrite("cannot make directory " + folder_.string() + ": " + made.message());
    }
    return {};
  }

  Status Write(DemoClock t, const FrameBuffer& shown) override {
    char name[32];
    std::snprintf(name, sizeof name, "t%06d.png", static_cast<int>(t));
    if (portrait_) {
      return WritePngImage(folder_ / name,
                           PictureToRgb(shown.data(), platform::kPortraitWidth, platform::kPortraitHeight, scale_));
    }
    return WritePngFrame(folder_ / name, shown, scale_);
  }

  Status Finish() override { return {}; }

 private:
  std::filesystem::path folder_;
  int scale_;
  bool portrait_;
};

// Frames piped into ffmpeg, which writes the video beside its target; the
// video replaces the target only once ffmpeg has finished it. A video that
// did not come out whole is not left behind.
class VideoSink final : public FrameSink {
 public:
  VideoSink(std::filesystem::path dataDirectory, VideoSettings settings)
      : dataDirectory_(std::move(dataDirectory)), settings_(std::move(settings)) {}

  Status Check() override { return CheckWritable(settings_.file); }

  Status Open() override {
    if (Status opened = Measuring() ? Status{} : output_.Open(settings_.file); !opened.ok()) {
      return opened;
    }
    if (Status started = StartFfmpeg(); !started.ok()) {
      return started;
    }
    out_ = ffmpeg_.Input();
    return {};
  }

  Status Write(DemoClock t, const FrameBuffer& shown) override {
    if (WriteRawFrame(out_, shown).ok()) {
      return {};
    }
    if (StopSignal() != 0) {
      return Stopped();
    }
    return Fail("cannot send frame " + std::to_string(t) + " to ffmpeg");
  }

  Status Finish() override {
    // A stop signal while ffmpeg finishes ends it there too.
    const bool flushed = std::fflush(out_) == 0;
    if (StopSignal() != 0) {
      return Stopped();
    }
    if (!flushed) {
      return Fail("cannot send the last frames to ffmpeg");
    }
    const Status ended = ffmpeg_.Finish();
    if (StopSignal() != 0) {
      return Stopped();
    }
    if (!ended.ok()) {
      return Fail(ended.message);
    }
    if (Measuring()) {
      return {};
    }
    if (Status fits = CheckSize(); !fits.ok()) {
      return fits;
    }
    // ffmpeg's status alone is not trusted: the video must be there and not empty.
    if (Status committed = output_.Commit(); !committed.ok()) {
      return CannotWrite("ffmpeg reported success, but " + committed.message);
    }
    return {};
  }

  void Discard() override {
    ffmpeg_.Kill();
    output_.Discard();
  }

 private:
  // A first pass of two writes only ffmpeg's log, never the target.
  bool Measuring() const { return settings_.videoBitrate > 0 && settings_.pass == 1; }

  // The finished video against --max-size, before it can replace the target.
  Status CheckSize() {
    std::error_code unknown;
    const std::uintmax_t size = std::filesystem::file_size(output_.TemporaryPath(), unknown);
    if (settings_.maxBytes > 0 && !unknown && size > static_cast<std::uintmax_t>(settings_.maxBytes)) {
      output_.Discard();
      return CannotWrite(settings_.file.string() + " came out over " + settings_.maxSizeText + "; try a little less");
    }
    return {};
  }

  // Starts ffmpeg writing the video into the temporary file. Any failure to
  // start it means the video cannot be made: kUnwritable.
  Status StartFfmpeg() {
    VideoSettings settings = settings_;
    if (!Measuring()) {
      settings.file = output_.TemporaryPath();
    }
    // A GIF has no sound: its soundtrack is neither read nor warned about.
    const SoundtrackPlan plan =
        settings.preset == VideoPreset::kGif
            ? SoundtrackPlan{}
            : PlanSoundtrack(ResolveDataPath(dataDirectory_, kSoundtrackFileName), settings.from, settings.to);
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
    const Status started = ffmpeg_.Start(FfmpegArguments(settings), samples);
    if (samples >= 0) {
      close(samples);  // ffmpeg has its own
    }
    if (started.kind == ErrorKind::kNotFound) {
      return CannotWrite("ffmpeg not found: videos are made with ffmpeg (Debian package ffmpeg)");
    }
    if (!started.ok()) {
      return CannotWrite(started.message);
    }
    if (!plan.warning.empty() && settings.pass != 2) {  // a second pass was warned in its first
      std::fprintf(stderr, "vantrelle-render: %s\n", plan.warning.c_str());
    }
    return {};
  }

  // Ends ffmpeg and drops its file; ffmpeg's own reason, if it gave one, is told.
  Status Fail(const std::string& reason) {
    const Status ended = ffmpeg_.Finish();
    output_.Discard();
    return CannotWrite("cannot write " + settings_.file.string() + ": " + (ended.ok() ? reason : ended.message));
  }

  std::filesystem::path dataDirectory_;
  VideoSettings settings_;
  platform::ReplacementFile output_;
  PipedProcess ffmpeg_;  // declared after output_: it ends before its file is removed
  std::FILE* out_ = nullptr;
};

}  // namespace

std::unique_ptr<FrameSink> MakeFrameSink(const RenderRequest& request) {
  struct Maker {
    const std::filesystem::path& dataDirectory;
    std::unique_ptr<FrameSink> operator()(const RawOutput& raw) const { return std::make_unique<RawSink>(raw.file); }
    std::unique_ptr<FrameSink> operator()(const PngOutput& png) const {
      return std::make_unique<PngSink>(png.folder, png.scale, png.portrait);
    }
    std::unique_ptr<FrameSink> operator()(const VideoSettings& video) const {
      return std::make_unique<VideoSink>(dataDirectory, video);
    }
  };
  return std::visit(Maker{request.dataDirectory}, request.output);
}

}  // namespace vantrelle::render
