// vantrelle-render [--data DIR] (--at MS | --times MS,MS,... | --from MS --to MS [--step MS | --fps N])
//                  (--raw FILE | --png DIR)
#include <CLI/CLI.hpp>

#include <cstdio>
#include <optional>

#include "platform/executable_directory.h"
#include "tools/render/frame_times.h"
#include "tools/render/render_frames.h"

namespace {

constexpr int kUsageError = 1;
constexpr int kDataError = 2;

int Fail(const std::string& message, int status) {
  std::fprintf(stderr, "vantrelle-render: %s\n", message.c_str());
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  using vantrelle::DemoClock;
  namespace render = vantrelle::render;

  CLI::App app{"Renders chosen times of the show to raw RGB565 frames or PNG files."};
  std::string data;
  std::optional<DemoClock> at;
  std::vector<DemoClock> times;
  std::optional<DemoClock> from;
  std::optional<DemoClock> to;
  std::optional<std::int32_t> step;
  std::optional<std::int32_t> fps;
  std::string raw;
  std::string png;
  app.add_option("--data", data, "data directory (default: the executable's own directory)");
  CLI::Option* atOption = app.add_option("--at", at, "one time, ms");
  CLI::Option* timesOption = app.add_option("--times", times, "times in ms, comma separated")->delimiter(',');
  CLI::Option* fromOption = app.add_option("--from", from, "first time of a range, ms");
  CLI::Option* toOption = app.add_option("--to", to, "end of the range (not rendered), ms");
  CLI::Option* stepOption = app.add_option("--step", step, "range step, ms");
  CLI::Option* fpsOption = app.add_option("--fps", fps, "range frame rate (default 60)");
  CLI::Option* rawOption = app.add_option("--raw", raw, "write frames, concatenated, to FILE (- for stdout)");
  CLI::Option* pngOption = app.add_option("--png", png, "write one PNG per frame into DIR");
  atOption->excludes(timesOption)->excludes(fromOption);
  timesOption->excludes(fromOption);
  fromOption->needs(toOption);
  toOption->needs(fromOption);
  stepOption->needs(fromOption)->excludes(fpsOption);
  fpsOption->needs(fromOption);
  rawOption->excludes(pngOption);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    return Fail(e.what(), kUsageError);
  }

  render::RenderRequest request;
  if (at) {
    request.times = {*at};
  } else if (!times.empty()) {
    request.times = times;
  } else if (from) {
    if (*to <= *from) {
      return Fail("--to must be after --from", kUsageError);
    }
    if (step) {
      if (*step <= 0) return Fail("--step must be at least 1 ms", kUsageError);
      request.times = render::TimesByStep(*from, *to, *step);
    } else {
      if (fps && *fps <= 0) return Fail("--fps must be at least 1", kUsageError);
      request.times = render::TimesAtRate(*from, *to, fps.value_or(60));
    }
  } else {
    return Fail("say which times to render: --at, --times or --from/--to", kUsageError);
  }
  if (const std::string problem = render::CheckTimes(request.times); !problem.empty()) {
    return Fail(problem, kUsageError);
  }
  if (raw.empty() && png.empty()) {
    return Fail("say where frames go: --raw FILE or --png DIR", kUsageError);
  }
  request.rawFile = raw;
  request.pngDirectory = png;
  request.dataDirectory = data.empty() ? vantrelle::platform::ExecutableDirectory() : std::filesystem::path(data);
  if (request.dataDirectory.empty()) {
    return Fail("data error: cannot tell where this program lives; say --data DIR", kDataError);
  }

  std::string error;
  const render::RenderStatus status = render::RenderFrames(request, error);
  if (status != render::RenderStatus::kOk) {
    return Fail(error, static_cast<int>(status));
  }
  return 0;
}
