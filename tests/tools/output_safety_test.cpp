// Every output is written beside its target and renamed over it when whole:
// a refused or failed write leaves the path exactly as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <fstream>
#include <set>
#include <sstream>

#include "stand_in_ffmpeg.h"
#include "testing/test_data_directory.h"
#include "tool_run.h"

namespace vantrelle {
namespace {

// What a path is: its kind, inode, device numbers, link target and bytes.
std::string Snapshot(const std::filesystem::path& path) {
  struct stat status;
  if (lstat(path.c_str(), &status) != 0) {
    return "absent";
  }
  std::ostringstream text;
  text << std::oct << status.st_mode << std::dec << " " << status.st_ino << " " << status.st_rdev;
  std::error_code ignored;
  text << " -> " << std::filesystem::read_symlink(path, ignored).string() << " : ";
  if (S_ISREG(status.st_mode)) {
    text << std::ifstream(path, std::ios::binary).rdbuf();
  }
  return text.str();
}

// The checks every refused or failed write shares: status 1, one line naming
// the target, the target as it was and nothing left beside it.
void ExpectLeftAsItWas(const ToolRun& run, const std::filesystem::path& path, const std::string& before,
                       const std::set<std::string>& namesBefore, const std::string& label) {
  EXPECT_EQ(run.status, 1) << label << "\n" << run.output;
  EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << label << "\n" << run.output;
  EXPECT_NE(run.output.find(path.string()), std::string::npos) << label << "\n" << run.output;
  EXPECT_TRUE(Snapshot(path) == before) << label << " was changed";
  EXPECT_EQ(Names(path.parent_path()), namesBefore) << label;  // no temporary file left behind
}

TEST(OutputSafety, ARefusedOrFailedWriteLeavesTheTargetAsItWas) {
  TestDataDirectory data;
  const StandInFfmpeg ffmpeg(data.path() / "stand-in");
  struct Target {
    const char* kind;
    const char* make;   // shell words making @ (the target); "" when it needs mknod
    const char* limit;  // shell words run before the tool
  };
  const Target targets[] = {
      {"device", "", ""},
      {"FIFO", "mkfifo @", ""},
      {"directory", "mkdir @ && echo keep > @/inside", ""},
      {"symbolic link", "echo old > old && ln -s old @", ""},
      {"dangling symbolic link", "ln -s nowhere @", ""},
      // A full disk, as a file-size limit: every write past 1 KiB fails.
      {"full file system", "echo earlier > @", "trap \"\" XFSZ; ulimit -f 1;"},
      // A really full one, where a small file system may be mounted here.
      {"full tmpfs", "echo earlier > @ && (yes > filler 2>/dev/null; true)", ""},
  };
  struct Output {
    const char* arguments;  // T is the target (in folder O for --png)
    const char* name;       // the target's name in the folder
    bool streams;           // raw frames go straight into a FIFO, which would wait for its reader
  };
  const Output outputs[] = {
      {"--contact-sheet O/T", "T", false},
      {"--at 44500 --png O", "t044500.png", false},
      {"--from 0 --to 200 --fps 10 --video O/T", "T.mp4", false},
      {"--at 44500 --raw O/T", "T", true},
  };
  int folderNumber = 0;
  for (const Output& output : outputs) {
    for (const Target& target : targets) {
      const std::string name = output.name;
      const std::string label = std::string(output.arguments) + " into a " + target.kind;
      if (output.streams && std::string(target.kind) == "FIFO") continue;
      const std::filesystem::path folder = data.path() / ("out" + std::to_string(++folderNumber));
      std::filesystem::create_directories(folder);
      const bool tmpfs = std::string(target.kind) == "full tmpfs";
      if (tmpfs && RunShell("mount -t tmpfs -o size=64k vantrelle-test " + Quoted(folder) + " 2>/dev/null") != 0) {
        continue;  // not allowed here: the file-size limit stands in
      }
      const std::filesystem::path path = folder / name;
      if (*target.make == '\0') {
        // Major 240 is kept for local use and has no driver here: nothing real is ever written.
        if (mknod(path.c_str(), S_IFCHR | 0666, makedev(240, 0)) != 0) {
          continue;  // not permitted here: the other kinds still run
        }
      } else {
        std::string make = target.make;
        for (std::size_t at; (at = make.find('@')) != std::string::npos;) make.replace(at, 1, Quoted(name));
        ASSERT_EQ(RunShell("cd " + Quoted(folder) + " && " + make), 0) << label;
      }
      const std::string before = Snapshot(path);
      const std::set<std::string> namesBefore = Names(folder);

      std::string arguments = output.arguments;
      arguments.replace(arguments.find('O'), 1, Quoted(folder));
      if (const std::size_t t = arguments.find("/T"); t != std::string::npos) arguments.replace(t + 1, 1, name);
      ToolRun run = RunTool("/bin/sh",
                            "-c " + Quoted(std::string(target.limit) + " exec " + RenderTool().string() +
                                           " --quiet --data " + data.path().string() + " " + arguments),
                            "/", ffmpeg.Environment());
      run.output = WithoutSoundtrackWarning(run.output);  // the test data has none
      ExpectLeftAsItWas(run, path, before, namesBefore, label);
      if (tmpfs) RunShell("umount " + Quoted(folder));
    }
  }
}

// Videos that fail late: --max-size checks what it can before the first
// pass; a disk that fills while the real ffmpeg writes (some containers leave
// its status at 0 over a cut-short file) is caught, on a small file system
// mounted where that is allowed. A limit larger than any video needs renders
// at constant quality.
TEST(OutputSafety, AVideoThatFailsLateLeavesTheTargetAsItWas) {
  TestDataDirectory data;
  const StandInFfmpeg ffmpeg(data.path() / "stand-in");
  struct Case {
    const char* name;
    const char* make;     // shell words making @ (the target), or ""
    const char* mode;     // the stand-in's; "" for the real ffmpeg on a full disk
    const char* options;  // after --from 0
    const char* said;     // the stand-in's cases: the one line, @ for the target
    bool ran;             // the stand-in's cases: whether ffmpeg was started at all
  };
  const Case cases[] = {
      {"over.webm", "echo earlier > @", "copy", "--to 1000 --max-size 53K", "@ came out over 53K; try a little less",
       true},
      {"folder.mp4", "mkdir @", "copy", "--to 1000 --max-size 2M",
       "cannot write @: it is a directory, not a regular file", false},
      {"full.webm", "echo earlier > @", "full", "--to 1000 --max-size 1M",
       "cannot write @: ffmpeg failed with exit status 1: ", true},
      {"a.webm", "", "", "--to 2000 --fps 25 --scale 1", "", true},
      {"b.webm", "echo earlier > @", "", "--to 2000 --fps 25 --scale 1", "", true},
      {"c.mkv", "", "", "--to 2000 --fps 25 --scale 1", "", true},
      {"d.mkv", "echo earlier > @", "", "--to 2000 --fps 25 --scale 1", "", true},
      {"e.webm", "echo earlier > @", "", "--to 2000 --fps 25 --scale 1 --max-size 1M", "", true},
      {"f.mp4", "echo earlier > @", "", "--to 2000 --fps 25 --scale 1", "", true},
      {"g.gif", "echo earlier > @", "", "--to 2000 --preset gif", "", true},
  };
  for (const Case& c : cases) {
    const bool full = *c.mode == '\0';
    const std::filesystem::path folder = data.path() / (std::string("late-") + c.name);
    std::filesystem::create_directories(folder);
    if (full && (!HaveFfmpeg() ||
                 RunShell("mount -t tmpfs -o size=48k vantrelle-test " + Quoted(folder) + " 2>/dev/null") != 0)) {
      continue;  // no ffmpeg, or no small file system can be mounted here
    }
    const std::filesystem::path path = folder / c.name;
    std::string make = c.make;
    for (std::size_t at; (at = make.find('@')) != std::string::npos;) make.replace(at, 1, Quoted(path));
    if (!make.empty()) {
      ASSERT_EQ(RunShell(make), 0) << c.name;
    }
    const std::string before = Snapshot(path);
    const std::set<std::string> namesBefore = Names(folder);
    std::filesystem::remove(data.path() / "stand-in" / "arguments");
    ToolRun run = RunTool(
        RenderTool(), "--quiet --data " + Quoted(data.path()) + " --from 0 " + c.options + " --video " + Quoted(path),
        "/", full ? "" : ffmpeg.Environment(c.mode));
    run.output = WithoutSoundtrackWarning(run.output);  // the test data has none
    ExpectLeftAsItWas(run, path, before, namesBefore, c.name);
    EXPECT_EQ(run.output.find(".vantrelle-passes"), std::string::npos) << c.name << "\n" << run.output;
    if (full) {
      RunShell("umount " + Quoted(folder));
      continue;
    }
    std::string said = c.said;
    said.replace(said.find('@'), 1, path.string());
    EXPECT_EQ(run.output.rfind("vantrelle-render: " + said, 0), 0u) << c.name << "\n" << run.output;
    EXPECT_EQ(!ffmpeg.Arguments().empty(), c.ran) << c.name;
  }

  const std::filesystem::path huge = data.path() / "huge.mp4";
  const ToolRun run = RunTool(
      RenderTool(),
      "--quiet --data " + Quoted(data.path()) + " --from 0 --to 1000 --max-size 1099511627776 --video " + Quoted(huge),
      "/", ffmpeg.Environment());
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("vantrelle-render: --max-size 1099511627776 is more than " + huge.string() +
                            " needs: made at constant quality\n"),
            std::string::npos)
      << run.output;
  EXPECT_NE(ffmpeg.Arguments().find("-crf\n"), std::string::npos) << ffmpeg.Arguments();
  EXPECT_EQ(ffmpeg.Arguments().find("-pass\n"), std::string::npos) << ffmpeg.Arguments();
}

// Odd names and environments: the output lands where it was named, or the
// export fails in one line, never an abort. Names up to the file system's
// limit work, though the temporary name beside them adds to theirs.
TEST(OutputSafety, OddNamesAndTemporaryFolders) {
  TestDataDirectory data;
  const StandInFfmpeg ffmpeg(data.path() / "stand-in");
  const std::filesystem::path folder = data.path() / "out";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "a-file") << "not a folder";
  const long longest = pathconf(folder.c_str(), _PC_NAME_MAX);
  ASSERT_GT(longest, 8);
  const auto raw = [](long length) { return std::string(static_cast<std::size_t>(length) - 4, 'n') + ".raw"; };
  struct Case {
    std::string name;         // as given, from inside the folder
    const char* output;       // the option before it
    const char* environment;  // before the stand-in's
    const char* mode;         // the stand-in's
    bool written;             // or else the export fails in one line
  };
  const char* video = "--from 0 --to 300 --video=";
  const Case cases[] = {
      {"x.mp4", video, "TMPDIR=/nonexistent", "copy", true},
      {"y.mp4", video, "TMPDIR=", "copy", true},
      {"z.mp4", video, "TMPDIR=a-file", "copy", true},
      {"-x.mp4", video, "", "copy", true},         // not an ffmpeg option
      {"file:z.mkv", video, "", "copy", true},     // not a protocol
      {"empty.mp4", video, "", "nothing", false},  // ffmpeg said yes and wrote nothing
      {raw(longest - 8), "--at 5 --raw ", "", "copy", true},
      {raw(longest - 4), "--at 5 --raw ", "", "copy", true},
      {raw(longest), "--at 5 --raw ", "", "copy", true},
      {raw(longest + 1), "--at 5 --raw ", "", "copy", false},
  };
  for (const Case& c : cases) {
    ToolRun run = RunTool(RenderTool(), "--quiet --data " + Quoted(data.path()) + " " + c.output + Quoted(c.name),
                          folder, std::string(c.environment) + " " + ffmpeg.Environment(c.mode));
    run.output = WithoutSoundtrackWarning(run.output);  // the test data has none
    const std::string label = c.name + " " + c.environment + "\n" + run.output;
    EXPECT_EQ(run.status, c.written ? 0 : 1) << label;
    if (!c.written) {
      EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << label;
    }
    std::set<std::string> expected = {"a-file"};
    if (c.written) expected.insert(c.name);
    EXPECT_EQ(Names(folder), expected) << label;
    for (const std::string& name : Names(folder)) {
      if (name != "a-file") std::filesystem::remove(folder / name);
    }
  }
}

}  // namespace
}  // namespace vantrelle
