// vantrelle-render [--data DIR] [--quiet]
//   (--at MS | --times MS,MS,... | --from MS --to MS [--step MS | --fps N]) (--raw FILE | --png DIR [--scale N])
//   [--portrait]
//   [--from MS --to MS] --video FILE.mp4|.mkv|.webm [--fps N] [--scale N]   (default: the whole show)
//   [--from MS --to MS] --video FILE --preset landscape|vertical|gif   (gif: FILE.gif, up to 30 s)
//   --contact-sheet FILE.png
//   [--from MS --to MS] [--fps N] --flash-report FILE.json|.csv [--flash-field PX] [--reduce-flashing]
//   --flash-map FILE   (the data set's map for the reduced-flash filter)
#include <stdlib.h>
#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

#include "flash/flash_analysis.h"
#include "platform/decimal_option.h"
#include "platform/executable_directory.h"
#include "platform/find_data_directory.h"
#include "platform/guard_main.h"
#include "platform/non_empty_option.h"
#include "tools/render/contact_sheet.h"
#include "tools/render/flash_report.h"
#include "tools/render/frame_times.h"
#include "tools/render/render_frames.h"
#include "tools/render/stop_signals.h"
#include "vantrelle_version.h"

namespace {

constexpr int kUsageError = 1;
constexpr int kOutputError = 1;
constexpr int kDataError = 2;
constexpr int kStoppedBase = 128;  // stopped by signal N: 128 + N, as a shell reports it
constexpr int kMaxScale = 16;      // 6400 x 3840: beyond that nobody needs it
constexpr int kDefaultFps = 60;
constexpr int kDefaultVideoScale = 3;  // 1200 x 720, crisp pixels on an ordinary screen

int Fail(const std::string& message, int status) {
  std::fprintf(stderr, "vantrelle-render: %s\n", message.c_str());
  return status;
}

// The exit status says which side failed: the data set, the output, or a stop signal.
int Finish(const vantrelle::Status& status) {
  using vantrelle::ErrorKind;
  switch (status.kind) {
    case ErrorKind::kOk:
      return 0;
    case ErrorKind::kNotFound:
    case ErrorKind::kUnreadable:
    case ErrorKind::kMalformed:
      return Fail(status.message, kDataError);
    case ErrorKind::kUnwritable:
      return Fail(status.message, kOutputError);
    case ErrorKind::kStopped:
      return Fail(status.message, kStoppedBase + vantrelle::render::StopSignal());
  }
  return Fail(status.message, kOutputError);
}

// CLI11 drops the empty items of a list ("1,,3", "1,", ",1"), so the text as
// typed is checked: the first --times value with an empty item, or "".
std::string TimesWithAnEmptyItem(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    std::string_view value;
    if (word == "--times" && i + 1 < argc) {
      value = argv[i + 1];
    } else if (word.starts_with("--times=")) {
      value = word.substr(8);
    } else {
      continue;
    }
    if (value.empty() || value.front() == ',' || value.back() == ',' || value.find(",,") != std::string_view::npos) {
      return std::string(value);
    }
  }
  return {};
}

int FitVideo(vantrelle::render::RenderRequest request, const std::string& sizeText);

// The command line as typed, before it is checked against itself.
struct Options {
  std::string data;
  std::optional<vantrelle::DemoClock> at;
  std::vector<vantrelle::DemoClock> times;
  std::optional<vantrelle::DemoClock> from;
  std::optional<vantrelle::DemoClock> to;
  std::optional<std::int32_t> step;
  std::optional<std::int32_t> fps;
  std::optional<int> scale;
  std::string raw;
  std::string png;
  std::string video;
  std::string sheet;
  bool quiet = false;
  bool portrait = false;
  std::string presetName;
  std::string maxSizeText;
  std::string flashReport;
  std::optional<int> flashField;
  bool reduceFlashing = false;
  std::string flashMap;
};

// --flash-report: the range (default the whole show) at --fps (default 60).
int FlashReport(const Options& options, const std::filesystem::path& dataDirectory);

// Fills `options` from the command line. Returns the exit status when the
// run ends here (--help, --version, a usage error), else nothing.
std::optional<int> ParseOptions(int argc, char** argv, Options& options) {
  CLI::App app{"Renders chosen times of the show to raw RGB565 frames, PNG files, a video or a contact sheet."};
  const CLI::Validator decimal = vantrelle::platform::DecimalOnly();
  app.set_version_flag("--version", std::string("vantrelle-render ") + vantrelle::kVersionText);
  app.add_option("--data", options.data, "data directory (default: beside the executable, else ../share/vantrelle)")
      ->check(vantrelle::platform::NonEmptyFolder());
  CLI::Option* atOption = app.add_option("--at", options.at, "one time, ms")->transform(decimal);
  CLI::Option* timesOption =
      app.add_option("--times", options.times, "times in ms, comma separated")->delimiter(',')->transform(decimal);
  CLI::Option* fromOption = app.add_option("--from", options.from, "first time of a range, ms")->transform(decimal);
  CLI::Option* toOption = app.add_option("--to", options.to, "end of the range (not rendered), ms")->transform(decimal);
  CLI::Option* stepOption = app.add_option("--step", options.step, "range step, ms")->transform(decimal);
  CLI::Option* fpsOption =
      app.add_option("--fps", options.fps, "frame rate of a range or video (default 60)")->transform(decimal);
  CLI::Option* scaleOption =
      app.add_option("--scale", options.scale, "whole-factor enlargement, nearest neighbour (PNG default 1, video 3)")
          ->transform(decimal);
  CLI::Option* rawOption = app.add_option("--raw", options.raw, "write frames, concatenated, to FILE (- for stdout)");
  CLI::Option* pngOption = app.add_option("--png", options.png, "write one PNG per frame into DIR");
  CLI::Option* videoOption = app.add_option(
      "--video", options.video, "write a video with the soundtrack (.mp4, .mkv or .webm; default: whole show)");
  CLI::Option* sheetOption =
      app.add_option("--contact-sheet", options.sheet, "write one labelled frame per segment as a PNG");
  CLI::Option* presetOption = app.add_option(
      "--preset", options.presetName,
      "with --video: landscape (1200 x 720, the default), vertical (1080 x 1920, upright) or gif (400 x 240, 25 fps, "
      "looping, up to 30 s)");
  CLI::Option* maxSizeOption = app.add_option(
      "--max-size", options.maxSizeText,
      "with --video (.mp4 or .webm): at most SIZE bytes (K, M: 1,024-based), by a bit rate found in two passes");
  CLI::Option* portraitOption =
      app.add_flag("--portrait", options.portrait,
                   "frames upright, 240 x 400, as the handheld's display showed them (--raw, --png)");
  app.add_flag("--quiet", options.quiet, "no progress on standard error");
  CLI::Option* flashReportOption = app.add_option(
      "--flash-report", options.flashReport,
      "measure flashing (general and red, whole screen and regions) and write it to FILE (.json or .csv)");
  CLI::Option* flashFieldOption =
      app.add_option("--flash-field", options.flashField, "with --flash-report: the regions' side, px (default 80)")
          ->transform(decimal);
  CLI::Option* reduceOption =
      app.add_flag("--reduce-flashing", options.reduceFlashing,
                   "frames through the reduced-flash filter (--raw, --video, --flash-report; stills stay exact)");
  CLI::Option* flashMapOption = app.add_option(
      "--flash-map", options.flashMap, "make the data set's flash map (what --reduce-flashing follows) in FILE");
  flashFieldOption->needs(flashReportOption);
  flashReportOption->excludes(rawOption)
      ->excludes(pngOption)
      ->excludes(videoOption)
      ->excludes(sheetOption)
      ->excludes(atOption)
      ->excludes(timesOption)
      ->excludes(stepOption)
      ->excludes(flashMapOption);
  flashMapOption->excludes(rawOption)
      ->excludes(pngOption)
      ->excludes(videoOption)
      ->excludes(sheetOption)
      ->excludes(reduceOption);
  reduceOption->excludes(pngOption)->excludes(sheetOption);
  atOption->excludes(timesOption)->excludes(fromOption);
  timesOption->excludes(fromOption);
  fromOption->needs(toOption);
  toOption->needs(fromOption);
  stepOption->needs(fromOption)->excludes(fpsOption);
  rawOption->excludes(pngOption)->excludes(videoOption)->excludes(sheetOption)->excludes(scaleOption);
  pngOption->excludes(videoOption)->excludes(sheetOption);
  portraitOption->excludes(videoOption)->excludes(sheetOption);
  presetOption->needs(videoOption);
  maxSizeOption->needs(videoOption);
  videoOption->excludes(sheetOption)->excludes(atOption)->excludes(timesOption)->excludes(stepOption);
  sheetOption->excludes(atOption)
      ->excludes(timesOption)
      ->excludes(fromOption)
      ->excludes(fpsOption)
      ->excludes(scaleOption);
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {  // --help, --version
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    return Fail(e.what(), kUsageError);
  }
  if (const std::string list = TimesWithAnEmptyItem(argc, argv); !list.empty()) {
    return Fail("--times: expected a decimal whole number, found \"\" in \"" + list + "\"", kUsageError);
  }
  if (!options.flashReport.empty()) {
    if (const std::string problem = vantrelle::render::FlashReportProblem(options.flashReport); !problem.empty()) {
      return Fail(problem, kUsageError);
    }
    const int field = options.flashField.value_or(vantrelle::flash::kDefaultFieldPx);
    if (const std::string problem = vantrelle::flash::FieldProblem(field); !problem.empty()) {
      return Fail("--flash-field " + std::to_string(field) + ": " + problem, kUsageError);
    }
  }
  return std::nullopt;
}

// The render the options ask for, or the one line saying why they do not make one.
std::string BuildRequest(Options options, const std::filesystem::path& dataDirectory,
                         vantrelle::render::RenderRequest& request) {
  namespace render = vantrelle::render;
  if (options.fps && !options.from && options.video.empty()) {
    return "--fps needs --from/--to or --video";
  }
  if (options.fps && *options.fps <= 0) return "--fps must be at least 1";
  if (options.fps && *options.fps > render::kMaxFps) {
    return "--fps must be at most " + std::to_string(render::kMaxFps) +
           ": times are whole ms, so more only repeats frames";
  }
  if (options.scale && (*options.scale < 1 || *options.scale > kMaxScale)) {
    return "--scale must be a whole number from 1 to " + std::to_string(kMaxScale);
  }
  if (!options.video.empty() && !render::ContainerFor(options.video)) {
    return "--video " + options.video + ": say .mp4, .mkv, .webm or (with --preset gif) .gif";
  }
  const std::optional<render::VideoPreset> preset =
      options.presetName.empty() ? render::VideoPreset::kLandscape : render::PresetNamed(options.presetName);
  if (!preset) {
    return "--preset " + options.presetName + ": say landscape, vertical or gif";
  }
  const bool gif = *preset == render::VideoPreset::kGif;
  if (!options.video.empty() && gif != (render::ContainerFor(options.video) == render::VideoContainer::kGif)) {
    return "--video " + options.video + ": --preset gif writes a .gif file, and a .gif needs --preset gif";
  }
  if (*preset != render::VideoPreset::kLandscape && options.scale) {
    return "--scale applies to landscape videos only: --preset " + options.presetName + " has its own size";
  }
  if (gif && options.fps && *options.fps != render::kGifFps) {
    return "--preset gif is " + std::to_string(render::kGifFps) + " fps";
  }
  if (gif) {
    options.fps = render::kGifFps;
  }
  if (!options.video.empty() && !options.from) {
    options.from = 0;
    options.to = vantrelle::kShowLengthMs;
  }
  if (gif && *options.to - *options.from > render::kGifLongestMs) {
    return "--preset gif takes ranges up to 30 s: say --from and --to";
  }

  if (options.at) {
    request.times = render::FrameTimes::List({*options.at});
  } else if (!options.times.empty()) {
    request.times = render::FrameTimes::List(options.times);
  } else if (options.from) {
    if (*options.to <= *options.from) {
      return "--to must be after --from";
    }
    if (options.step) {
      if (*options.step <= 0) return "--step must be at least 1 ms";
      request.times = render::FrameTimes::ByStep(*options.from, *options.to, *options.step);
    } else {
      request.times = render::FrameTimes::AtRate(*options.from, *options.to, options.fps.value_or(kDefaultFps));
    }
  } else {
    return "say which times to render: --at, --times or --from/--to";
  }
  if (const vantrelle::Status usable = render::CheckTimes(request.times); !usable.ok()) {
    return usable.message;
  }
  if (options.raw.empty() && options.png.empty() && options.video.empty()) {
    return "say where frames go: --raw FILE, --png DIR, --video FILE or --contact-sheet FILE";
  }
  request.dataDirectory = dataDirectory;
  request.rawFile = options.raw;
  request.pngDirectory = options.png;
  request.pngScale = options.scale.value_or(1);
  request.quiet = options.quiet;
  request.portrait = options.portrait;
  if (!options.video.empty()) {
    request.video = {options.video,
                     *render::ContainerFor(options.video),
                     {},
                     *options.from,
                     *options.to,
                     options.fps.value_or(kDefaultFps),
                     gif ? 1 : options.scale.value_or(kDefaultVideoScale)};
    request.video.preset = *preset;
    request.portrait = *preset == render::VideoPreset::kVertical;  // ffmpeg gets the frames upright
  }
  return {};
}

int Main(int argc, char** argv) {
  Options options;
  if (const std::optional<int> ended = ParseOptions(argc, argv, options)) {
    return *ended;
  }
  const vantrelle::Result<std::filesystem::path> found =
      vantrelle::platform::FindDataDirectory(options.data, vantrelle::platform::ExecutableDirectory());
  if (!found.ok()) {
    return Finish(found.status());
  }
  if (!options.sheet.empty()) {
    return Finish(vantrelle::render::MakeContactSheet(found.value(), options.sheet));
  }
  if (!options.flashMap.empty()) {
    return Finish(vantrelle::render::WriteFlashMapFile(found.value(), options.flashMap, options.quiet));
  }
  if (!options.flashReport.empty()) {
    return FlashReport(options, found.value());
  }
  vantrelle::render::RenderRequest request;
  if (const std::string unusable = BuildRequest(options, found.value(), request); !unusable.empty()) {
    return Fail(unusable, kUsageError);
  }
  if (options.reduceFlashing) {
    vantrelle::Result<vantrelle::flash::FlashMap> map = vantrelle::render::FlashMapFor(found.value(), options.quiet);
    if (!map.ok()) {
      return Finish(map.status());
    }
    request.reduceFlashing = std::make_shared<const vantrelle::flash::FlashMap>(std::move(map.value()));
  }
  if (!options.maxSizeText.empty()) {
    return FitVideo(request, options.maxSizeText);
  }
  return Finish(vantrelle::render::RenderFrames(request));
}

int FlashReport(const Options& options, const std::filesystem::path& dataDirectory) {
  vantrelle::render::FlashReportRequest request;
  request.dataDirectory = dataDirectory;
  request.file = options.flashReport;
  request.from = options.from.value_or(0);
  request.to = options.to.value_or(vantrelle::kShowLengthMs);
  request.fps = options.fps.value_or(kDefaultFps);
  request.fieldPx = options.flashField.value_or(vantrelle::flash::kDefaultFieldPx);
  request.reduce = options.reduceFlashing;
  request.quiet = options.quiet;
  if (request.to <= request.from) return Fail("--to must be after --from", kUsageError);
  if (request.from < 0) return Fail("--from must not be negative", kUsageError);
  if (request.fps < 1 || request.fps > vantrelle::render::kMaxFps) {
    return Fail("--fps must be from 1 to " + std::to_string(vantrelle::render::kMaxFps), kUsageError);
  }
  return Finish(vantrelle::render::WriteFlashReport(request));
}

// --max-size: the video bit rate that leaves room for the sound and the
// container, found by ffmpeg in two passes over the same frames (the first
// writes only into a hidden scratch folder beside the output, removed whatever
// happens).
int FitVideo(vantrelle::render::RenderRequest request, const std::string& sizeText) {
  namespace render = vantrelle::render;
  const std::optional<std::int64_t> limit = render::ParseSize(sizeText);
  if (!limit) {
    return Fail("--max-size " + sizeText + ": say bytes, or a whole number with K or M (1,024-based)", kUsageError);
  }
  render::VideoSettings& video = request.video;
  if (video.container != render::VideoContainer::kMp4 && video.container != render::VideoContainer::kWebm) {
    return Fail("--max-size needs an .mp4 or .webm video", kUsageError);
  }
  const std::int64_t ms = video.to - video.from;
  // 4% for the container and the encoder's aim; the sound's bit rate as the container carries it.
  const std::int64_t rate = *limit * 8 * 96 / 100 * 1000 / ms - render::SoundBitrate(video.container);
  if (rate < render::kLowestVideoBitrate) {
    const std::int64_t least =
        (render::kLowestVideoBitrate + render::SoundBitrate(video.container)) * ms / 1000 / 8 * 100 / 96;
    return Fail("--max-size " + sizeText + " is too small for " + render::SecondsText(ms) + " s: it needs at least " +
                    std::to_string((least + 1023) / 1024) + "K",
                kUsageError);
  }
  // The scratch folder is hidden beside the output, like the output's own
  // temporary file: nothing is written outside the output's folder.
  const std::filesystem::path target = video.file;
  std::string pattern = (target.parent_path() / ".vantrelle-passes-XXXXXX").string();
  const char* scratch = mkdtemp(pattern.data());
  if (scratch == nullptr) {
    return Fail(
        target.string() + ": cannot make a scratch folder beside it for the first pass: " + std::strerror(errno),
        kOutputError);
  }
  const std::filesystem::path folder = scratch;
  video.videoBitrate = rate;
  video.passLog = folder / "pass";
  video.pass = 1;
  video.file = folder / ("first" + target.extension().string());
  vantrelle::Status status = render::RenderFrames(request);
  if (status.ok()) {
    video.pass = 2;
    video.file = target;
    status = render::RenderFrames(request);
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  if (status.ok() && std::filesystem::file_size(target, ignored) > static_cast<std::uintmax_t>(*limit)) {
    return Fail(target.string() + " came out over " + sizeText + "; try a little less", kOutputError);
  }
  return Finish(status);
}

}  // namespace

int main(int argc, char** argv) { return vantrelle::platform::RunGuarded("vantrelle-render", Main, argc, argv); }
