#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
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
  EXPECT_TRUE(render::CheckTimes(FrameTimes::List({0, 251328, 400000})).ok());
  EXPECT_EQ(render::CheckTimes(FrameTimes::List({5, -1})).message, "time -1 ms is negative; the show starts at 0");
  EXPECT_EQ(render::CheckTimes(FrameTimes::ByStep(-3, 2147483647, 1)).message,
            "time -3 ms is negative; the show starts at 0");
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

TEST(RenderTool, WritesOneRawFramePerTime) {
  TestDataDirectory data;
  const std::filesystem::path out = data.path() / "frames.raw";
  const std::string common = "--data " + Quoted(data.path()) + " --raw " + Quoted(out);

  ToolRun run = RunTool(RenderTool(), common + " --times 0,44500,251328,300000");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(std::filesystem::file_size(out), 4 * kRawFrameBytes);

  run = RunTool(RenderTool(), common + " --from 100 --to 200 --step 30");  // 100, 130, 160, 190
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(std::filesystem::file_size(out), 4 * kRawFrameBytes);

  run = RunTool(RenderTool(), common + " --from 0 --to 50");  // 60 fps: 0, 16, 33
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(std::filesystem::file_size(out), 3 * kRawFrameBytes);

  run = RunTool(RenderTool(), common + " --at 1000");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(std::filesystem::file_size(out), kRawFrameBytes);

  run = RunTool(RenderTool(), "--data " + Quoted(data.path()) + " --from 0 --to 100 --fps 25 --raw -");
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.output.size(), 3 * kRawFrameBytes);  // 0, 40, 80
}

TEST(RenderTool, WritesNamedPngFiles) {
  TestDataDirectory data;
  const std::filesystem::path dir = data.path() / "png" / "out";
  const ToolRun run = RunTool(RenderTool(), "--data " + Quoted(data.path()) + " --times 44500,7 --png " + Quoted(dir));
  ASSERT_EQ(run.status, 0) << run.output;
  for (const char* name : {"t044500.png", "t000007.png"}) {
    std::ifstream png(dir / name, std::ios::binary);
    char signature[8] = {};
    png.read(signature, 8);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG") << name;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 2);
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

TEST(RenderTool, BadDataExitsWithStatusTwo) {
  {
    TestDataDirectory data;
    data.Resize("gfx\\planet.pal", 1047);
    const ToolRun run = RunTool(RenderTool(), "--data " + Quoted(data.path()) + " --at 0 --raw -");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.output, "vantrelle-render: data error: " + data.FilePath("gfx\\planet.pal").string() +
                              ": expected 1048 bytes, found 1047\n");
  }
  {
    TestDataDirectory data;
    MeshFileContent mesh = SmallTestMesh();
    mesh.corners[11] = 4 * 9;
    data.WriteMesh(mesh);
    const ToolRun run = RunTool(RenderTool(), "--data " + Quoted(data.path()) + " --at 0 --raw -");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.output, "vantrelle-render: data error: " + data.FilePath("mesh\\zerozev.3df").string() +
                              ": face 3 corner 2: expected a vertex index 0..3, found 9\n");
  }
  {
    // Unreadable for anyone but root: as root, the tool runs as nobody.
    TestDataDirectory data;
    std::filesystem::permissions(data.path(), std::filesystem::perms::all);
    std::filesystem::permissions(data.FilePath("gfx\\planet.raw"), std::filesystem::perms::none);
    const std::string arguments = "--data " + Quoted(data.path()) + " --at 0 --raw /dev/null";
    const ToolRun run = geteuid() == 0 ? RunTool("setpriv", "--reuid=nobody --regid=nogroup --clear-groups " +
                                                                Quoted(RenderTool()) + " " + arguments)
                                       : RunTool(RenderTool(), arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.output, "vantrelle-render: data error: " + data.FilePath("gfx\\planet.raw").string() +
                              ": cannot be read: Permission denied\n");
  }
  const ToolRun run = RunTool(RenderTool(), "--data /nonexistent/vantrelle --at 0 --raw -");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.output,
            "vantrelle-render: data error: /nonexistent/vantrelle: expected a data directory, found none\n");
}

TEST(RenderTool, RefusesBadArguments) {
  TestDataDirectory data;
  const std::string withData = "--data " + Quoted(data.path()) + " ";
  const std::filesystem::path out = data.path() / "never.raw";
  const std::string toFile = " --raw " + Quoted(out);
  struct Case {
    std::string arguments;
    std::string message;
  };
  const Case cases[] = {
      {"--at -5" + toFile, "vantrelle-render: time -5 ms is negative; the show starts at 0\n"},
      {"--times 10,-1" + toFile, "vantrelle-render: time -1 ms is negative; the show starts at 0\n"},
      {"--from -10 --to 10" + toFile, "vantrelle-render: time -10 ms is negative; the show starts at 0\n"},
      {"--at 5",
       "vantrelle-render: say where frames go: --raw FILE, --png DIR, --video FILE or --contact-sheet FILE\n"},
      {toFile.substr(1), "vantrelle-render: say which times to render: --at, --times or --from/--to\n"},
      {"--from 10 --to 10" + toFile, "vantrelle-render: --to must be after --from\n"},
      {"--from 0 --to 10 --step 0" + toFile, "vantrelle-render: --step must be at least 1 ms\n"},
      {"--from 0 --to 10 --fps 0" + toFile, "vantrelle-render: --fps must be at least 1\n"},
      {"--at 5 --fps 30" + toFile, "vantrelle-render: --fps needs --from/--to or --video\n"},
      {"--at 5 --scale 0 --png " + Quoted(data.path() / "png"),
       "vantrelle-render: --scale must be a whole number from 1 to 16\n"},
      {"--video " + Quoted(data.path() / "show.avi"), "vantrelle-render: --video " +
                                                          (data.path() / "show.avi").string() +
                                                          ": say .mp4, .mkv, .webm or (with --preset gif) .gif\n"},
      {"--video s.mp4 --preset square", "vantrelle-render: --preset square: say landscape, vertical or gif\n"},
      {"--video s.mp4 --preset gif",
       "vantrelle-render: --video s.mp4: --preset gif writes a .gif file, and a .gif needs --preset gif\n"},
      {"--from 0 --to 10 --video s.gif",
       "vantrelle-render: --video s.gif: --preset gif writes a .gif file, and a .gif needs --preset gif\n"},
      {"--from 0 --to 30001 --preset gif --video s.gif",
       "vantrelle-render: --preset gif takes ranges up to 30 s: say --from and --to\n"},
      {"--preset gif --video s.gif", "vantrelle-render: --preset gif takes ranges up to 30 s: say --from and --to\n"},
      {"--from 0 --to 10 --preset gif --fps 30 --video s.gif", "vantrelle-render: --preset gif is 25 fps\n"},
      {"--from 0 --to 10 --max-size 2X --video s.mp4",
       "vantrelle-render: --max-size 2X: say bytes, or a whole number with K or M (1,024-based)\n"},
      {"--from 0 --to 10 --max-size 2M --video s.mkv", "vantrelle-render: --max-size needs an .mp4 or .webm video\n"},
      {"--from 0 --to 10 --max-size '' --video s.mp4",
       "vantrelle-render: --max-size: must give a size, not be empty\n"},
      {"--from 0 --to 10 --preset '' --video s.mp4", "vantrelle-render: --preset: must name a preset, not be empty\n"},
      {"--from 0 --to 10 --preset vertical --scale 2 --video s.mp4",
       "vantrelle-render: --scale applies to landscape videos only: --preset vertical has its own size\n"},
  };
  for (const Case& c : cases) {
    const ToolRun run = RunTool(RenderTool(), withData + c.arguments);
    EXPECT_EQ(run.status, 1) << c.arguments;
    EXPECT_EQ(run.output, c.message) << c.arguments;
  }
  for (const char* arguments :
       {"--at 1 --times 2", "--from 1", "--at 1 --step 3", "--at x", "--at 1 --raw a --png b", "--at 1 --video a.mp4",
        "--from 0 --to 9 --contact-sheet s.png", "--at 1 --raw a --scale 2", "--video a.mp4 --step 5",
        "--video a.mp4 --portrait", "--contact-sheet s.png --portrait", "--at 1 --raw a --preset gif",
        "--at 1 --raw a --max-size 2M"}) {
    const ToolRun run = RunTool(RenderTool(), withData + arguments);
    EXPECT_EQ(run.status, 1) << arguments;
    EXPECT_NE(run.output.find("vantrelle-render: "), std::string::npos) << arguments;
    EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << arguments;  // one line
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace vantrelle
