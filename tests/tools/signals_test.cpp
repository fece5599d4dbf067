// A stop signal during an export ends ffmpeg, removes the partial output and
// leaves the earlier file in place; closed standard streams are handled.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "stand_in_ffmpeg.h"
#include "testing/test_data_directory.h"
#include "tool_run.h"

extern char** environ;

namespace vantrelle {
namespace {

// Starts the render tool quietly on `data` with `arguments`, the stand-in ffmpeg
// first on PATH in `mode`, its standard error in `log`. env keeps the process id.
pid_t StartRender(const std::filesystem::path& data, const std::vector<std::string>& arguments,
                  const std::filesystem::path& log, const std::filesystem::path& standIn, const std::string& mode) {
  std::vector<std::string> words = {"/usr/bin/env", "PATH=" + standIn.string() + ":" + std::getenv("PATH"),
                                    "STANDIN_FFMPEG=" + mode, RenderTool().string(), "--quiet"};
  words.insert(words.end(), {"--data", data.string()});
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = -1;
  posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// The first word of a /proc file of `pid`.
std::string ProcWord(pid_t pid, const char* file) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
  std::string word;
  in >> word;
  return word;
}

// Whether the render has come to `stage`: "handler", its handler for `signal`
// installed; "fifo", waiting for a FIFO's reader; else the stand-in ffmpeg
// running as that program ("cat" reading frames, "sleep" stuck after them).
bool Reached(const std::string& stage, pid_t tool, int signal, pid_t ffmpeg) {
  if (stage == "fifo") return ProcWord(tool, "wchan") == "wait_for_partner";
  if (stage != "handler") return ffmpeg > 0 && ProcWord(ffmpeg, "comm") == stage;
  std::ifstream status("/proc/" + std::to_string(tool) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("SigCgt:")) return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1) & 1) != 0;
  }
  return false;
}

// Each stage of a render, once reached, ends on a stop signal within 3 s: the
// signal's status, one line, ffmpeg gone, the earlier output and the folder as
// they were.
TEST(Signals, EveryStageStopsInOneLineAndLeavesNothing) {
  TestDataDirectory data;
  const std::filesystem::path folder = data.path() / "out";
  const std::filesystem::path log = data.path() / "log";
  const std::filesystem::path standIn = data.path() / "stand-in";
  const StandInFfmpeg ffmpeg(standIn);
  std::filesystem::create_directories(folder);
  ASSERT_EQ(mkfifo((folder / "frames.raw").c_str(), 0600), 0);
  const std::string video = (folder / "show.mp4").string();
  struct Stage {
    const char* name;
    std::vector<int> signals;
    const char* mode;  // the stand-in's
    std::vector<std::string> arguments;
    const char* kept;     // the earlier file it must leave as it was, or ""
    const char* reached;  // as Reached takes it
  };
  const std::vector<int> all = {SIGINT, SIGTERM, SIGHUP};
  const Stage stages[] = {
      {"frames flowing into ffmpeg",
       all,
       "copy",
       {"--from", "0", "--to", "251328", "--fps", "1000", "--scale", "1", "--video", video},
       "show.mp4",
       "cat"},
      {"a contact sheet", all, "copy", {"--contact-sheet", (folder / "sheet.png").string()}, "sheet.png", "handler"},
      // A stuck ffmpeg after the last frame (it sleeps once it has read them all).
      {"ffmpeg finishing",
       {SIGTERM},
       "stuck",
       {"--from", "0", "--to", "300", "--fps", "10", "--video", video},
       "show.mp4",
       "sleep"},
      {"ffmpeg finishing a first pass",
       {SIGTERM},
       "stuck",
       {"--from", "0", "--to", "300", "--fps", "10", "--max-size", "1M", "--video", video},
       "show.mp4",
       "sleep"},
      {"a FIFO without a reader",
       {SIGTERM},
       "copy",
       {"--from", "0", "--to", "300", "--step", "10", "--raw", (folder / "frames.raw").string()},
       "",
       "fifo"},
  };
  for (const Stage& stage : stages) {
    for (int signal : stage.signals) {
      const std::string label = stage.name + std::string(", SIG") + sigabbrev_np(signal);
      if (*stage.kept != '\0') std::ofstream(folder / stage.kept) << "the earlier file";
      const auto names = std::distance(std::filesystem::directory_iterator(folder), {});
      std::filesystem::remove(standIn / "pid");
      const pid_t tool = StartRender(data.path(), stage.arguments, log, standIn, stage.mode);
      ASSERT_GT(tool, 0) << label;
      bool reached = false;
      for (int i = 0; i < 10000 && !reached; ++i) {
        reached = Reached(stage.reached, tool, signal, ffmpeg.Pid());
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      const auto sent = std::chrono::steady_clock::now();
      kill(tool, signal);
      int status = 0;
      ASSERT_EQ(waitpid(tool, &status, 0), tool) << label;
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count();
      EXPECT_TRUE(reached) << label;
      EXPECT_LT(seconds, 3.0) << label;
      ASSERT_TRUE(WIFEXITED(status)) << label << ": killed by signal " << WTERMSIG(status);
      EXPECT_EQ(WEXITSTATUS(status), 128 + signal) << label;
      const std::string said = WithoutSoundtrackWarning(ReadAll(log));
      EXPECT_EQ(said.find("vantrelle-render: stopped by SIG" + std::string(sigabbrev_np(signal)) + " after "), 0u)
          << label << ": " << said;
      EXPECT_EQ(said.find('\n'), said.size() - 1) << label << ": " << said;
      if (*stage.kept != '\0') {
        EXPECT_NE(said.find("; " + (folder / stage.kept).string() + " is left as it was"), std::string::npos) << said;
        EXPECT_EQ(ReadAll(folder / stage.kept), "the earlier file") << label;
      }
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), names) << label;
      if (ffmpeg.Pid() > 0) {
        EXPECT_EQ(kill(ffmpeg.Pid(), 0), -1) << label << ": ffmpeg left running";
      }
    }
  }
}

// AddressSanitizer reserves terabytes of address space, so a memory limit
// only holds in the plain build.
constexpr const char* kMemoryLimit = VANTRELLE_SANITIZE ? "" : "ulimit -v 2000000; ";

// Standard streams the caller closed. Raw frames to a standard output that
// closes, or never was: one line, status 1. Raw frames to a file with the
// others closed: the file must not take their place, and holds frames alone.
TEST(Signals, ClosedStandardStreamsEndInOneLineOrKeepOutOfTheOutput) {
  TestDataDirectory data;
  const std::string render = RenderTool().string() + " --data " + data.path().string();
  const std::string toFile = render + " --from 0 --to 300 --step 10 --raw frames.raw ";  // 30 frames
  const struct {
    std::string command;
    const char* start;  // of the one line said; "" for a run that succeeds silently
    const char* end;
  } cases[] = {
      // Two billion frames, under a memory limit far below their list: they are
      // worked out as drawn, and the render ends when the reader goes.
      {kMemoryLimit + render + " --quiet --from 0 --to 2147483647 --step 1 --raw - | head -c 400000 >/dev/null;" +
           " exit ${PIPESTATUS[0]}",
       "vantrelle-render: cannot write frame ", " to standard output: Broken pipe\n"},
      // Never frames written into nothing.
      {render + " --at 0 --raw - 1>&-",
       "vantrelle-render: cannot write frame 0 to standard output: ", "Bad file descriptor\n"},
      {toFile + "2>&-", "", ""},
      {toFile + "1>&- 2>&-", "", ""},
      {toFile + "0<&- 1>&- 2>&-", "", ""},
  };
  for (const auto& c : cases) {
    const ToolRun tool = RunTool("/bin/bash", "-c " + Quoted(c.command), data.path());
    const std::string label = c.command + "\n" + tool.output;
    if (*c.start == '\0') {
      EXPECT_EQ(tool.status, 0) << label;
      EXPECT_EQ(std::filesystem::file_size(data.path() / "frames.raw"), 30 * 400 * 240 * 2u) << label;
      std::filesystem::remove(data.path() / "frames.raw");
      continue;
    }
    EXPECT_EQ(tool.status, 1) << label;
    EXPECT_TRUE(tool.output.starts_with(c.start) && tool.output.ends_with(c.end)) << label;
    EXPECT_EQ(tool.output.find('\n'), tool.output.size() - 1) << label;
  }
}

}  // namespace
}  // namespace vantrelle
