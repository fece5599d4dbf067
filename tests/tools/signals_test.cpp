// A stop signal during an export ends ffmpeg, removes the partial video and
// leaves the earlier file in place; a closed pipe ends a raw render in one line.
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
#include <functional>
#include <sstream>
#include <thread>

#include "stand_in_ffmpeg.h"
#include "testing/test_data_directory.h"
#include "tool_run.h"

extern char** environ;

namespace vantrelle {
namespace {

std::string ReadAll(const std::filesystem::path& file) {
  std::ostringstream text;
  text << std::ifstream(file, std::ios::binary).rdbuf();
  return text.str();
}

TEST(Signals, AStopSignalEndsTheExportAndKeepsTheEarlierVideo) {
  TestDataDirectory data;
  const std::filesystem::path standIn = data.path() / "stand-in";
  const StandInFfmpeg ffmpeg(standIn);
  const std::filesystem::path video = data.path() / "out" / "show.mp4";
  const std::filesystem::path log = data.path() / "log";
  std::filesystem::create_directories(video.parent_path());
  const std::string path = "PATH=" + standIn.string() + ":" + std::getenv("PATH");
  std::vector<char*> environment = {const_cast<char*>(path.c_str())};
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::string(*e).rfind("PATH=", 0) != 0) environment.push_back(*e);
  }
  environment.push_back(nullptr);

  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    std::ofstream(video) << "the earlier video";
    std::filesystem::remove(standIn / "pid");
    const std::vector<std::string> words = {RenderTool().string(),
                                            "--quiet",
                                            "--data",
                                            data.path().string(),
                                            "--from",
                                            "0",
                                            "--to",
                                            "251328",
                                            "--fps",
                                            "1000",
                                            "--scale",
                                            "1",
                                            "--video",
                                            video.string()};
    std::vector<char*> argv;
    for (const std::string& w : words) argv.push_back(const_cast<char*>(w.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t tool = -1;
    ASSERT_EQ(posix_spawn(&tool, argv[0], &actions, nullptr, argv.data(), environment.data()), 0);
    posix_spawn_file_actions_destroy(&actions);

    // Frames are flowing once ffmpeg has started and a little time has passed.
    for (int i = 0; i < 100 && ffmpeg.Pid() <= 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const pid_t child = ffmpeg.Pid();
    kill(tool, signal);
    int status = 0;
    ASSERT_EQ(waitpid(tool, &status, 0), tool);

    const std::string label = sigabbrev_np(signal);
    ASSERT_TRUE(WIFEXITED(status)) << label << ": killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 128 + signal) << label;
    std::string said = ReadAll(log);
    if (said.starts_with("vantrelle-render: warning: no soundtrack")) said.erase(0, said.find('\n') + 1);
    EXPECT_EQ(said.find("vantrelle-render: stopped by SIG" + label), 0u) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    EXPECT_EQ(ReadAll(video), "the earlier video") << label;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(video.parent_path()), {}), 1) << label;
    ASSERT_GT(child, 0) << label;
    EXPECT_EQ(kill(child, 0), -1) << label << ": ffmpeg left running";
  }
}

// Starts the render tool with `arguments`, its standard error in `log`.
pid_t StartRender(const std::vector<std::string>& arguments, const std::filesystem::path& log,
                  char* const* environment = environ) {
  std::vector<std::string> words = {RenderTool().string(), "--quiet"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (const std::string& w : words) argv.push_back(const_cast<char*>(w.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = -1;
  posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environment);
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// Whether `pid` catches `signal` (its handler is installed), waiting up to 10 s.
bool WaitUntilCaught(pid_t pid, int signal) {
  for (int i = 0; i < 10000; ++i) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
      if (line.starts_with("SigCgt:") && (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1) & 1) != 0) {
        return true;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

// The status as a shell reports it: 128 + N when killed by signal N.
int Reported(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status); }

// Stages other than frame writing end the same way: the status, one line, nothing left.
TEST(Signals, EveryStageStopsInOneLineAndLeavesNothing) {
  TestDataDirectory data;
  const std::filesystem::path folder = data.path() / "out";
  const std::filesystem::path log = data.path() / "log";
  std::filesystem::create_directories(folder);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    const std::string label = std::string("contact sheet, SIG") + sigabbrev_np(signal);
    std::ofstream(folder / "sheet.png") << "the earlier sheet";
    const pid_t tool =
        StartRender({"--data", data.path().string(), "--contact-sheet", (folder / "sheet.png").string()}, log);
    ASSERT_GT(tool, 0);
    const bool caught = WaitUntilCaught(tool, signal);
    kill(tool, signal);
    int status = 0;
    ASSERT_EQ(waitpid(tool, &status, 0), tool);
    EXPECT_TRUE(caught) << label;
    EXPECT_EQ(Reported(status), 128 + signal) << label;
    const std::string said = ReadAll(log);
    EXPECT_EQ(said.find("vantrelle-render: stopped by SIG" + std::string(sigabbrev_np(signal)) + " after "), 0u)
        << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    EXPECT_TRUE(ReadAll(folder / "sheet.png") == "the earlier sheet") << label;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << label;
  }

  // A stuck ffmpeg after the last frame, and a FIFO nobody reads: each
  // stage is reached, then SIGTERM must end it at once.
  const std::filesystem::path standIn = data.path() / "stand-in";
  const StandInFfmpeg ffmpeg(standIn);
  const std::string path = "PATH=" + standIn.string() + ":" + std::getenv("PATH");
  const std::string stuck = "STANDIN_FFMPEG=stuck";
  std::vector<char*> environment = {const_cast<char*>(path.c_str()), const_cast<char*>(stuck.c_str())};
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::string(*e).rfind("PATH=", 0) != 0) environment.push_back(*e);
  }
  environment.push_back(nullptr);
  ASSERT_EQ(mkfifo((folder / "frames.raw").c_str(), 0600), 0);
  std::ofstream(folder / "show.mp4") << "the earlier video";
  struct Stage {
    const char* name;
    std::vector<std::string> arguments;
    std::function<bool(pid_t tool)> reached;
  };
  auto inKernel = [](pid_t pid, const char* wait) {
    std::ifstream wchan("/proc/" + std::to_string(pid) + "/wchan");
    std::string where;
    wchan >> where;
    return where == wait;
  };
  const Stage stages[] = {
      {"ffmpeg finishing",
       {"--from", "0", "--to", "300", "--fps", "10", "--video", (folder / "show.mp4").string()},
       [&](pid_t) {
         std::ifstream comm("/proc/" + std::to_string(ffmpeg.Pid()) + "/comm");
         std::string name;
         comm >> name;
         return name == "sleep";  // it has read every frame
       }},
      {"ffmpeg finishing a first pass",
       {"--from", "0", "--to", "300", "--fps", "10", "--max-size", "1M", "--video", (folder / "show.mp4").string()},
       [&](pid_t) {
         std::ifstream comm("/proc/" + std::to_string(ffmpeg.Pid()) + "/comm");
         std::string name;
         comm >> name;
         return name == "sleep";
       }},
      {"a FIFO without a reader",
       {"--from", "0", "--to", "300", "--step", "10", "--raw", (folder / "frames.raw").string()},
       [&](pid_t tool) { return inKernel(tool, "wait_for_partner"); }},
  };
  for (const Stage& stage : stages) {
    std::filesystem::remove(standIn / "pid");
    std::vector<std::string> arguments = {"--data", data.path().string()};
    arguments.insert(arguments.end(), stage.arguments.begin(), stage.arguments.end());
    const pid_t tool = StartRender(arguments, log, environment.data());
    ASSERT_GT(tool, 0);
    bool reached = false;
    for (int i = 0; i < 10000 && !reached; ++i) {
      reached = stage.reached(tool);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const auto sent = std::chrono::steady_clock::now();
    kill(tool, SIGTERM);
    int status = 0;
    ASSERT_EQ(waitpid(tool, &status, 0), tool);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count();
    EXPECT_TRUE(reached) << stage.name;
    EXPECT_LT(seconds, 3.0) << stage.name;
    EXPECT_EQ(Reported(status), 128 + SIGTERM) << stage.name;
    std::string said = ReadAll(log);
    if (said.starts_with("vantrelle-render: warning: no soundtrack")) said.erase(0, said.find('\n') + 1);
    EXPECT_EQ(said.find("vantrelle-render: stopped by SIGTERM after "), 0u) << stage.name << ": " << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    if (stage.arguments.back().ends_with(".mp4")) {
      EXPECT_NE(said.find("; " + (folder / "show.mp4").string() + " is left as it was"), std::string::npos) << said;
    }
    if (ffmpeg.Pid() > 0) {
      EXPECT_EQ(kill(ffmpeg.Pid(), 0), -1) << stage.name << ": ffmpeg left running";
    }
  }
  EXPECT_EQ(ReadAll(folder / "show.mp4"), "the earlier video");
}

// AddressSanitizer reserves terabytes of address space, so a memory limit
// only holds in the plain build.
#if defined(__SANITIZE_ADDRESS__)
constexpr const char* kMemoryLimit = "";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr const char* kMemoryLimit = "";
#else
constexpr const char* kMemoryLimit = "ulimit -v 2000000; ";
#endif
#else
constexpr const char* kMemoryLimit = "ulimit -v 2000000; ";
#endif

TEST(Signals, AClosedPipeEndsARawRenderInOneLine) {
  TestDataDirectory data;
  // Two billion frames, under a memory limit far below their list: they are
  // worked out as drawn, and the render ends when the reader goes.
  const ToolRun tool = RunTool(
      "/bin/bash", "-c " + Quoted(kMemoryLimit + RenderTool().string() + " --quiet --data " + data.path().string() +
                                  " --from 0 --to 2147483647 --step 1 --raw - | head -c 400000 >/dev/null;"
                                  " exit ${PIPESTATUS[0]}"));
  EXPECT_EQ(tool.status, 1) << tool.output;
  const std::string start = "vantrelle-render: cannot write frame ", end = " to standard output: Broken pipe\n";
  EXPECT_EQ(tool.output.find(start), 0u) << tool.output;
  EXPECT_EQ(tool.output.find(end), tool.output.size() - end.size()) << tool.output;
  EXPECT_EQ(tool.output.find('\n'), tool.output.size() - 1) << tool.output;
}

}  // namespace
}  // namespace vantrelle
