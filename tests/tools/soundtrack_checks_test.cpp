// The soundtrack is checked once, with the show's own decoder, before ffmpeg
// or the music starts; what is wrong, and what happens instead, is said in
// one line. Exports stay silent where there is no sound to be had.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "assets/data_inventory.h"
#include "stand_in_ffmpeg.h"
#include "testing/test_data_directory.h"
#include "tool_run.h"
#include "tools/render/video_arguments.h"

namespace vantrelle {
namespace {

std::filesystem::path RealSoundtrack() { return RenderTool().parent_path() / "music" / "soundtrack.mp3"; }

// Writes the soundtrack of `data` as described: "none", "empty", "junk", "fifo",
// "directory", "first:N" (the real one's first N bytes), "padded:N" (the real one and N zero bytes).
void MakeSoundtrack(const TestDataDirectory& data, const std::string& kind) {
  const std::filesystem::path file = data.FilePath(kSoundtrackFileName);
  std::filesystem::create_directories(file.parent_path());
  std::filesystem::remove_all(file);
  if (kind == "empty") std::ofstream{file};
  if (kind == "junk") std::ofstream(file) << std::string(4000, 'x');
  if (kind == "fifo") {
    ASSERT_EQ(RunShell("mkfifo " + Quoted(file)), 0);
  }
  if (kind == "directory") std::filesystem::create_directory(file);
  if (kind.rfind("first:", 0) == 0 || kind.rfind("padded:", 0) == 0) {
    std::filesystem::copy_file(RealSoundtrack(), file);
    const std::uintmax_t n = std::stoul(kind.substr(kind.find(':') + 1));
    std::filesystem::resize_file(file, kind[0] == 'f' ? n : std::filesystem::file_size(file) + n);
  }
}

TEST(SoundtrackChecks, AVideoSaysWhatIsWrongAndGoesSilentWhereNeeded) {
  if (!std::filesystem::exists(RealSoundtrack())) GTEST_SKIP() << "no data set beside the tools";
  TestDataDirectory data;
  const StandInFfmpeg ffmpeg(data.path() / "stand-in");
  struct Case {
    const char* soundtrack;
    const char* range;
    const char* warning;  // after "vantrelle-render: warning: ", up to the file's name; "" for none
    const char* after;    // what the line ends with
    bool withSound;
  };
  // 40,000 bytes of the soundtrack (about 100 kbit/s) are about three seconds of it.
  const Case cases[] = {
      {"none", "--from 0 --to 500", "no soundtrack at ", "; the video will be silent", false},
      {"empty", "--from 0 --to 500", "cannot decode the soundtrack ", "; the video will be silent", false},
      {"junk", "--from 0 --to 500", "cannot decode the soundtrack ", "; the video will be silent", false},
      {"fifo", "--from 0 --to 500", "cannot read the soundtrack ", "; the video will be silent", false},
      {"directory", "--from 0 --to 500", "cannot read the soundtrack ", "; the video will be silent", false},
      {"first:40000", "--from 0 --to 500", "", "", true},
      {"first:40000", "--from 10000 --to 10500", "the soundtrack ",
       ", before the range starts; the video will be silent", false},
      {"first:40000", "--from 2000 --to 5000", "the soundtrack ",
       ", before the range ends; the video is silent from there", true},
  };
  for (const Case& c : cases) {
    MakeSoundtrack(data, c.soundtrack);
    const std::string label = std::string(c.soundtrack) + " " + c.range;
    const std::filesystem::path video = data.path() / "v.mp4";
    const ToolRun run = RunTool(
        RenderTool(), "--quiet --data " + Quoted(data.path()) + " " + c.range + " --fps 10 --video " + Quoted(video),
        "/", ffmpeg.Environment());
    EXPECT_EQ(run.status, 0) << label << "\n" << run.output;
    const std::string name = data.FilePath(kSoundtrackFileName).string();
    if (*c.warning == '\0') {
      EXPECT_EQ(run.output, "") << label;
    } else {
      EXPECT_TRUE(run.output.starts_with("vantrelle-render: warning: " + std::string(c.warning) + name) &&
                  run.output.ends_with(std::string(c.after) + "\n") && run.output.find('\n') == run.output.size() - 1)
          << label << "\n"
          << run.output;
    }
    EXPECT_EQ(ffmpeg.Arguments().find("\nfile:/dev/fd/3\n") != std::string::npos, c.withSound) << label;
  }
}

TEST(SoundtrackChecks, TheShowSaysWhatIsWrongWithItsMusic) {
  if (!std::filesystem::exists(RealSoundtrack())) GTEST_SKIP() << "no data set beside the tools";
  TestDataDirectory data;
  const std::uintmax_t real = std::filesystem::file_size(RealSoundtrack());
  constexpr std::uintmax_t kCapacity = kSoundtrackCapacityBytes;
  struct Case {
    std::string soundtrack;
    const char* audio;  // SDL's audio driver
    const char* line;   // part of the one line said about it
  };
  const Case cases[] = {
      {"junk", "dummy", "cannot decode the soundtrack "},
      {"fifo", "dummy", "no soundtrack (a regular file) at "},
      {"padded:" + std::to_string(kCapacity + 1000 - std::min(real, kCapacity)), "dummy",
       "bytes and the show holds 5200000: the music stops at 4:"},
      {"padded:0", "no-such-device", "no sound ("},
  };
  for (const Case& c : cases) {
    MakeSoundtrack(data, c.soundtrack);
    // Started 0.7 s before the end, so that it ends by itself.
    const ToolRun run = RunTool(ShowProgram(), "--window --no-dialog --start 250600 --data " + Quoted(data.path()), "/",
                                "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=" + std::string(c.audio) + " timeout 20");
    EXPECT_EQ(run.status, 0) << c.soundtrack << "\n" << run.output;
    EXPECT_NE(run.output.find(c.line), std::string::npos) << c.soundtrack << "\n" << run.output;
    EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << c.soundtrack << "\n" << run.output;
  }
}

}  // namespace
}  // namespace vantrelle
