#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "testing/test_data_directory.h"
#include "tool_run.h"
#include "tools/render/frame_times.h"
#include "tools/render/video_arguments.h"

namespace vantrelle {
namespace {

constexpr std::uintmax_t kRawFrameBytes = 192000;

std::vector<DemoClock> AllTimes(const render::FrameTimes& times) {
  std::vector<DemoClock> all;
  for (std::int64_t n = 0; n < times.Count(); ++n) all.push_back(times.At(n));
  return all;
}

TEST(FrameTimes, RangesByStepAndRate) {
  using render::FrameTimes;
  EXPECT_EQ(AllTimes(FrameTimes::ByStep(100, 200, 50)), (std::vector<DemoClock>{100, 150}));
  EXPECT_EQ(AllTimes(FrameTimes::ByStep(0, 1, 5)), (std::vector<DemoClock>{0}));
  EXPECT_EQ(AllTimes(FrameTimes::AtRate(1000, 1051, 60)), (std::vector<DemoClock>{1000, 1016, 1033, 1050}));
  EXPECT_EQ(AllTimes(FrameTimes::AtRate(0, 100, 30)), (std::vector<DemoClock>{0, 33, 66}));
  EXPECT_EQ(AllTimes(FrameTimes::AtRate(0, 3, 1000)), (std::vector<DemoClock>{0, 1, 2}));
  // Counted, not listed: the largest ranges cost nothing until drawn.
  const FrameTimes longest = FrameTimes::ByStep(0, 2147483647, 1);
  EXPECT_EQ(longest.Count(), 2147483647);
  EXPECT_EQ(longest.At(longest.Count() - 1), 2147483646);
  const FrameTimes fastest = FrameTimes::AtRate(-2147483647, 2147483647, 1000);
  EXPECT_EQ(fastest.Count(), 4294967294);
  EXPECT_EQ(fastest.At(fastest.Count() - 1), 2147483646);
  EXPECT_EQ(FrameTimes::AtRate(0, 251328, 60).Count(), 15080);  // the whole show: 251.328 s x 60, rounded up
}

TEST(VideoArguments, SizesInBytesKAndM) {
  const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
      {"2000000", 2000000},
      {"300K", 307200},
      {"2M", 2097152},
      {"1", 1},
      {"", std::nullopt},
      {"K", std::nullopt},
      {"2X", std::nullopt},
      {"1.5M", std::nullopt},
      {"-5", std::nullopt},
      {"0", std::nullopt},
      {"2m", std::nullopt},
      {"2 M", std::nullopt},
      {"99999999999999", 99999999999999},
      {"8796093022207M", 9223372036853727232},  // the largest that fits
      {"8796093022208M", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const auto& [text, bytes] : cases) {
    EXPECT_EQ(render::ParseSize(text), bytes) << text;
  }
}

// The bit rate leaves 4% of the limit for the container and the sound's own
// rate; below the lowest useful rate it says the least that works, above the
// highest it renders at constant quality.
TEST(VideoArguments, BitratesForASizeLimit) {
  using render::SizePlan;
  using render::VideoContainer;
  struct Case {
    std::int64_t bytes;
    DemoClock ms;
    VideoContainer container;
    SizePlan::Kind kind;
    std::int64_t value;  // bits per second; or bytes at least; or 0
  };
  const Case cases[] = {
      // 2 MiB over 20 s: 16,777,216 bits x 0.96 / 20 s = 805,306 bits/s, less AAC's 192,000.
      {2097152, 20000, VideoContainer::kMp4, SizePlan::kBitrate, 613306},
      // Less Opus's 160,000.
      {2097152, 20000, VideoContainer::kWebm, SizePlan::kBitrate, 645306},
      // (250,000 + 192,000) bits/s x 20 s / 8 / 0.96 = 1,151,041 bytes (rounded down: 1,151,041.6).
      {102400, 20000, VideoContainer::kMp4, SizePlan::kTooSmall, 1151041},
      // 53K for 1 s of WebM: (250,000 + 160,000) / 8 / 0.96 = 53,385 bytes.
      {54272, 1000, VideoContainer::kWebm, SizePlan::kBitrate, 256808},
      {53248, 1000, VideoContainer::kWebm, SizePlan::kTooSmall, 53385},
      {std::int64_t{1} << 40, 1000, VideoContainer::kMp4, SizePlan::kConstantQuality, 0},
      {9223372036853727232, 251328, VideoContainer::kWebm, SizePlan::kConstantQuality, 0},
  };
  for (const Case& c : cases) {
    const SizePlan plan = render::PlanSize(c.bytes, c.ms, c.container);
    EXPECT_EQ(plan.kind, c.kind) << c.bytes << " in " << c.ms << " ms";
    EXPECT_EQ(plan.kind == SizePlan::kBitrate    ? plan.videoBitrate
              : plan.kind == SizePlan::kTooSmall ? plan.leastBytes
                                                 : 0,
              c.value)
        << c.bytes << " in " << c.ms << " ms";
  }
}

// Numbers on the command line are decimal, leading zeros included: the tool's
// own PNG names are zero-padded times.
TEST(RenderTool, WritesOneRawFramePerTime) {
  TestDataDirectory data;
  const std::filesystem::path out = data.path() / "frames.raw";
  const struct {
    const char* times;
    int frames;
  } cases[] = {
      {"--times 0,44500,251328,300000", 4},
      {"--from 100 --to 200 --step 30", 4},  // 100, 130, 160, 190
      {"--from 044496 --to 044500 --step 02", 2},
      {"--from 0 --to 50", 3},            // 60 fps: 0, 16, 33
      {"--from 0 --to 100 --fps 25", 3},  // 0, 40, 80
      {"--at 1000", 1},
  };
  for (const auto& c : cases) {
    const ToolRun run =
        RunTool(RenderTool(), "--data " + Quoted(data.path()) + " --raw " + Quoted(out) + " " + c.times);
    ASSERT_EQ(run.status, 0) << c.times << "\n" << run.output;
    EXPECT_EQ(std::filesystem::file_size(out), c.frames * kRawFrameBytes) << c.times;
  }
  const std::string withData = "--data " + Quoted(data.path());
  const ToolRun padded = RunTool(RenderTool(), withData + " --times 044500,059136,00 --raw -");
  EXPECT_EQ(padded.output.size(), 3 * kRawFrameBytes);
  EXPECT_EQ(padded.output, RunTool(RenderTool(), withData + " --times 44500,59136,0 --raw -").output);

  // 0250000 is 250 s, 1.3 s before the end: read as octal it would be 86 s,
  // and the show would still be running when the time runs out.
  const ToolRun show =
      RunTool(ShowProgram(), "--window --start 0250000", "/", "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 20");
  EXPECT_EQ(show.status, 0) << show.output;
}

TEST(RenderTool, FindsDataBesideTheExecutable) {
  TestDataDirectory data;
  const std::filesystem::path copy = data.path() / "vantrelle-render";
  std::filesystem::copy_file(RenderTool(), copy);
  const std::filesystem::path out = data.path() / "frame.raw";
  // Run from the root: the data is found beside the program, not here.
  const ToolRun run = RunTool(copy, "--at 0 --raw " + Quoted(out), "/");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(std::filesystem::file_size(out), kRawFrameBytes);
}

// One file broken at a time; renders and flash reports alike stop with status 2.
TEST(RenderTool, BadDataExitsWithStatusTwo) {
  namespace fs = std::filesystem;
  const auto shortPalette = [](const TestDataDirectory& data) { data.Resize("gfx\\planet.pal", 1047); };
  struct Case {
    const char* file;  // the broken one
    void (*breakIt)(const TestDataDirectory&);
    const char* arguments;
    const char* what;  // said after the file's name
  };
  const Case cases[] = {
      {"gfx\\planet.pal", shortPalette, "--at 0 --raw -", ": expected 1048 bytes, found 1047"},
      {"gfx\\planet.pal", shortPalette, "--flash-report r.json", ": expected 1048 bytes, found 1047"},
      {"gfx\\planet.pal", shortPalette, "--flash-report r.json --reduce-flashing", ": expected 1048 bytes, found 1047"},
      {"mesh\\zerozev.3df",
       [](const TestDataDirectory& data) {
         MeshFileContent mesh = SmallTestMesh();
         mesh.corners[11] = 4 * 9;
         data.WriteMesh(mesh);
       },
       "--at 0 --raw -", ": face 3 corner 2: expected a vertex index 0..3, found 9"},
      {"gfx\\planet.raw",
       [](const TestDataDirectory& data) { fs::permissions(data.FilePath("gfx\\planet.raw"), fs::perms::none); },
       "--at 0 --raw /dev/null", ": cannot be read: Permission denied"},
  };
  for (const Case& c : cases) {
    TestDataDirectory data;
    fs::permissions(data.path(), fs::perms::all);
    c.breakIt(data);
    // Unreadable for anyone but root: as root, the tool runs as nobody.
    const std::string arguments = "--data " + Quoted(data.path()) + " " + c.arguments;
    const ToolRun run =
        geteuid() == 0
            ? RunTool("setpriv",
                      "--reuid=nobody --regid=nogroup --clear-groups " + Quoted(RenderTool()) + " " + arguments,
                      data.path())
            : RunTool(RenderTool(), arguments, data.path());
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_EQ(run.output, "vantrelle-render: data error: " + data.FilePath(c.file).string() + c.what + "\n");
  }
}

// Refused in one line before anything is written: bad arguments with status 1
// (numbers are plain decimal, leading zeros and all), no data set with 2.
TEST(RenderTool, RefusesInOneLineBeforeWritingAnything) {
  TestDataDirectory data;
  std::filesystem::create_directories(data.path() / "no ffmpeg");
  const std::string toFile = " --raw never.raw";
  const std::string noData = "--data /nonexistent/vantrelle ";  // refused before the data set is looked for
  const std::string field = "vantrelle-render: --flash-field ";
  const std::string range = ": must be an even number of pixels from 8 to 240\n";
  const std::string gif = ": --preset gif writes a .gif file, and a .gif needs --preset gif\n";
  struct Case {
    std::string arguments;  // after --data and the test data, unless they say --data
    std::string said;       // the whole line, or (without its newline) a part of it
    std::filesystem::path program = RenderTool();
    int status = 1;
    std::string environment = "";
  };
  const Case cases[] = {
      {"--at -5" + toFile, "vantrelle-render: time -5 ms is negative; the show starts at 0\n"},
      {"--times 10,-1" + toFile, "vantrelle-render: time -1 ms is negative; the show starts at 0\n"},
      {"--from -10 --to 10" + toFile, "vantrelle-render: time -10 ms is negative; the show starts at 0\n"},
      {"--at 5",
       "vantrelle-render: say where frames go: --raw FILE, --png DIR, --video FILE or --contact-sheet FILE\n"},
      {"--raw never.raw", "vantrelle-render: say which times to render: --at, --times or --from/--to\n"},
      {"--from 10 --to 10" + toFile, "vantrelle-render: --to must be after --from\n"},
      {"--from 0 --to 10 --step 0" + toFile, "vantrelle-render: --step must be at least 1 ms\n"},
      {"--from 0 --to 10 --fps 0" + toFile, "vantrelle-render: --fps must be at least 1\n"},
      {"--at 5 --fps 30" + toFile, "vantrelle-render: --fps needs --from/--to or --video\n"},
      {"--at 5 --scale 0 --png png", "vantrelle-render: --scale must be a whole number from 1 to 16\n"},
      {"--video show.avi", "vantrelle-render: --video show.avi: say .mp4, .mkv, .webm or (with --preset gif) .gif\n"},
      {"--video s.mp4 --preset square", "vantrelle-render: --preset square: say landscape, vertical or gif\n"},
      {"--video s.mp4 --preset gif", "vantrelle-render: --video s.mp4" + gif},
      {"--from 0 --to 10 --video s.gif", "vantrelle-render: --video s.gif" + gif},
      {"--from 0 --to 30001 --preset gif --video s.gif",
       "vantrelle-render: --preset gif takes ranges up to 30 s: say --from and --to\n"},
      {"--preset gif --video s.gif", "vantrelle-render: --preset gif takes ranges up to 30 s: say --from and --to\n"},
      {"--from 0 --to 10 --preset gif --fps 30 --video s.gif", "vantrelle-render: --preset gif is 25 fps\n"},
      {"--from 0 --to 10 --max-size 2X --video s.mp4",
       "vantrelle-render: --max-size 2X: say bytes, or a whole number with K or M (1,024-based)\n"},
      {"--from 0 --to 10 --max-size 2M --video s.mkv", "vantrelle-render: --max-size needs an .mp4 or .webm video\n"},
      {"--from 0 --to 20000 --max-size 100K --video s.mp4",  // a limit even the lowest quality cannot meet
       "vantrelle-render: --max-size 100K is too small for 20.000 s: it needs at least 1125K\n"},
      {"--from 0 --to 10 --max-size '' --video s.mp4",
       "vantrelle-render: --max-size: must give a size, not be empty\n"},
      {"--from 0 --to 10 --preset '' --video s.mp4", "vantrelle-render: --preset: must name a preset, not be empty\n"},
      {"--from 0 --to 10 --preset vertical --scale 2 --video s.mp4",
       "vantrelle-render: --scale applies to landscape videos only: --preset vertical has its own size\n"},
      {"--from 0 --to 100 --video /nonexistent/vantrelle/show.mp4",
       "vantrelle-render: cannot write /nonexistent/vantrelle/show.mp4: No such file or directory\n"},
      {"--contact-sheet /nonexistent/vantrelle/sheet.png",
       "vantrelle-render: cannot write /nonexistent/vantrelle/sheet.png: No such file or directory\n"},
      {noData + "--flash-report r.txt", "vantrelle-render: --flash-report r.txt: say .json or .csv\n"},
      {noData + "--flash-report r", "vantrelle-render: --flash-report r: say .json or .csv\n"},
      {noData + "--flash-report r.json --flash-field 6", field + "6" + range},
      {noData + "--flash-report r.json --flash-field 81", field + "81" + range},
      {noData + "--flash-report r.json --flash-field 242", field + "242" + range},
      {noData + "--flash-report r.json --flash-field 0", field + "0" + range},
      // Options that do not go together, or values that are not what they say.
      {"--at 1 --times 2", "vantrelle-render: "},
      {"--from 1", "vantrelle-render: "},
      {"--at 1 --step 3", "vantrelle-render: "},
      {"--at x", "vantrelle-render: "},
      {"--at 1 --raw a --png b", "vantrelle-render: "},
      {"--at 1 --video a.mp4", "vantrelle-render: "},
      {"--from 0 --to 9 --contact-sheet s.png", "vantrelle-render: "},
      {"--at 1 --raw a --scale 2", "vantrelle-render: "},
      {"--video a.mp4 --step 5", "vantrelle-render: "},
      {"--video a.mp4 --portrait", "vantrelle-render: "},
      {"--contact-sheet s.png --portrait", "vantrelle-render: "},
      {"--at 1 --raw a --preset gif", "vantrelle-render: "},
      {"--at 1 --raw a --max-size 2M", "vantrelle-render: "},
      {noData + "--flash-report r.json --raw a", "vantrelle-render: "},
      {noData + "--flash-report r.json --png d", "vantrelle-render: "},
      {noData + "--reduce-flashing --at 1 --png d", "vantrelle-render: "},
      {noData + "--flash-map m --reduce-flashing", "vantrelle-render: "},
      {noData + "--flash-report r.json --flash-field x", "--flash-field"},
      {noData + "--flash-report r.json --flash-field 8.5", "--flash-field"},
      {noData + "--flash-field 80 --at 1 --raw a", "--flash-field"},
      {"--at 0x10" + toFile, "--at"},
      {"--at +7" + toFile, "--at"},
      {"--at ''" + toFile, "--at"},
      {"--at 1e3" + toFile, "--at"},
      {"--times ,,," + toFile, "--times"},
      {"--times 5,0x10" + toFile, "--times"},
      {"--times 1,,3" + toFile, "--times"},
      {"--times 1," + toFile, "--times"},
      {"--times ,1" + toFile, "--times"},
      {"--times=1,,3" + toFile, "--times"},
      {"--data '' --at 5" + toFile, "--data"},
      {"--from 0 --to 0x10" + toFile, "--to"},
      {"--from 010. --to 20" + toFile, "--from"},
      {"--from 0 --to 20 --step +1" + toFile, "--step"},
      {"--from 0 --to 20 --fps 0x1e" + toFile, "--fps"},
      {"--from 0 --to 20 --fps 1001" + toFile, "--fps"},
      {"--from 0 --to 251328 --fps 2147483647" + toFile, "--fps"},
      {"--at 5 --scale 0x2 --png png", "--scale"},
      {"--start 0x10", "--start", ShowProgram()},
      {"--scale 03.0", "--scale", ShowProgram()},
      {"--start 251329", "--start", ShowProgram()},
      {"--no-such-option", "--no-such-option", ShowProgram()},
      {"--data ''", "--data", ShowProgram()},
      {"--from 0 --to 100 --video show.mp4",
       "vantrelle-render: ffmpeg not found: videos are made with ffmpeg (Debian package ffmpeg)\n", RenderTool(), 1,
       "PATH=" + Quoted(data.path() / "no ffmpeg")},
      {"--data /nonexistent/vantrelle --at 0 --raw -",
       "vantrelle-render: data error: /nonexistent/vantrelle: expected a data directory, found none\n", RenderTool(),
       2},
  };
  const std::set<std::string> before = Names(data.path());
  for (const Case& c : cases) {
    const bool withData = c.program == RenderTool() && !c.arguments.starts_with("--data");
    const ToolRun run = RunTool(c.program, (withData ? "--data " + Quoted(data.path()) + " " : "") + c.arguments,
                                data.path(), c.environment);
    const std::string label = c.program.filename().string() + " " + c.arguments + "\n" + run.output;
    EXPECT_EQ(run.status, c.status) << label;
    if (c.said.ends_with('\n')) {
      EXPECT_EQ(run.output, c.said) << label;
    } else {
      EXPECT_NE(run.output.find(c.said), std::string::npos) << label;
    }
    EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << label;
    EXPECT_EQ(Names(data.path()), before) << label;
  }
}

TEST(FlashReport, WritesJsonAndCsvWhetherTheShowPassesOrNot) {
  TestDataDirectory data;
  const std::filesystem::path json = data.path() / "flash.json";
  const std::filesystem::path csv = data.path() / "flash.csv";
  const std::string range = "--data " + Quoted(data.path()) + " --from 0 --to 3000 --flash-report ";
  const ToolRun run = RunTool(RenderTool(), range + Quoted(json));
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find(" of 3 seconds fail (whole screen "), std::string::npos) << run.output;
  const std::string report = ReadAll(json);
  EXPECT_NE(report.find("\"failing_seconds\": ["), std::string::npos);
  EXPECT_NE(report.find("{\"second\": 2, \"screen\": {\"general\": "), std::string::npos);
  ASSERT_EQ(RunTool(RenderTool(), range + Quoted(csv) + " --fps 30 --flash-field 120").status, 0);
  const std::string table = ReadAll(csv);
  EXPECT_EQ(table.substr(0, table.find('\n')),
            "second,screen_general,screen_red,screen_fails,region_general,region_red,region_x,region_y,region_fails");
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 4);
}

}  // namespace
}  // namespace vantrelle
