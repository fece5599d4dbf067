// Writing the data set into a folder where links, FIFOs, a full disk, or
// folders and files in the wrong places wait: nothing outside the folder is
// ever written, nothing blocks, and every file is either whole or as it was,
// with the failing one named.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "testing/test_files.h"
#include "tool_run.h"
#include "tools/datagen/lib/data_set.h"

namespace vantrelle::datagen {
namespace {

constexpr uid_t kOtherUser = 65534;  // nobody

void Write(const std::filesystem::path& file, const std::string& text) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

std::set<std::string> Names(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    names.insert(std::filesystem::relative(entry.path(), folder).string());
  }
  return names;
}

DataFile File(const char* name, std::size_t bytes, std::uint8_t value) {
  return {name, std::vector<std::uint8_t>(bytes, value)};
}

TEST(WriteDataSet, NeverWritesThroughLinksNorWaitsNorLeavesHalfAFile) {
  const bool root = geteuid() == 0;
  struct Case {
    const char* name;
    // Prepares the folder: `set` is the data set's folder, `outside` a file beside it.
    std::function<void(const std::filesystem::path& set, const std::filesystem::path& outside)> plant;
    bool written;       // the set is written, else refused
    const char* named;  // the message names this path below the folder ("" when written)
    std::string facea;  // gfx/facea.raw afterwards, read through any link
    rlim_t sizeLimit;   // bytes a file may grow to, or RLIM_INFINITY
  };
  const Case cases[] = {
      {"a symbolic link to a file elsewhere",
       [](auto& set, auto& outside) {
         std::filesystem::remove(set / "gfx/facea.raw");
         std::filesystem::create_symlink(outside, set / "gfx/facea.raw");
       },
       false, "set/gfx/facea.raw", "outside", RLIM_INFINITY},
      {"a hard link to a file elsewhere",
       [](auto& set, auto& outside) {
         std::filesystem::remove(set / "gfx/facea.raw");
         std::filesystem::create_hard_link(outside, set / "gfx/facea.raw");
       },
       true, "", std::string(100, 'a'), RLIM_INFINITY},
      {"a FIFO for the soundtrack",
       [](auto& set, auto&) {
         std::filesystem::remove(set / "music/soundtrack.mp3");
         ASSERT_EQ(mkfifo((set / "music/soundtrack.mp3").c_str(), 0600), 0);
       },
       false, "set/music/soundtrack.mp3", "earlier", RLIM_INFINITY},
      {"a folder linked elsewhere by another user",
       [](auto& set, auto& outside) {
         std::filesystem::remove_all(set / "music");
         std::filesystem::create_symlink(outside.parent_path() / "elsewhere", set / "music");
         ASSERT_EQ(lchown((set / "music").c_str(), kOtherUser, kOtherUser), 0);
       },
       false, "set/music", "earlier", RLIM_INFINITY},
      {"a folder linked elsewhere by ourselves",
       [](auto& set, auto& outside) {
         std::filesystem::remove_all(set / "music");
         std::filesystem::create_symlink(outside.parent_path() / "elsewhere", set / "music");
       },
       true, "", std::string(100, 'a'), RLIM_INFINITY},
      {"a folder where the soundtrack goes",
       [](auto& set, auto&) {
         std::filesystem::remove(set / "music/soundtrack.mp3");
         std::filesystem::create_directory(set / "music/soundtrack.mp3");
       },
       false, "set/music/soundtrack.mp3", "earlier", RLIM_INFINITY},
      {"a file where the music folder goes",
       [](auto& set, auto&) {
         std::filesystem::remove_all(set / "music");
         Write(set / "music", "earlier");
       },
       false, "set/music/soundtrack.mp3", "earlier", RLIM_INFINITY},
      // A full disk, as a file-size limit: the 4 KiB clip cannot be written.
      {"a full disk", [](auto&, auto&) {}, false, "set/gfx/clip01.raw", std::string(100, 'a'), 1024},
  };
  for (const Case& c : cases) {
    if (!root && std::string(c.name).find("another user") != std::string::npos) continue;  // needs lchown
    const ScratchFolder folder;
    const std::filesystem::path set = folder.path() / "set";
    const std::filesystem::path outside = folder.path() / "outside";
    Write(outside, "outside");
    std::filesystem::create_directories(folder.path() / "elsewhere");
    Write(set / "gfx/facea.raw", "earlier");
    Write(set / "gfx/clip01.raw", "earlier");
    Write(set / "music/soundtrack.mp3", "earlier");
    c.plant(set, outside);
    const std::set<std::string> before = Names(folder.path());

    const std::vector<DataFile> files = {File("gfx\\facea.raw", 100, 'a'), File("gfx\\clip01.raw", 4096, 'c'),
                                         File("music\\soundtrack.mp3", 10, 'm')};
    // A FIFO with a reader would take the bytes: the reader is there, so that only a refusal passes.
    const bool fifo = std::filesystem::is_fifo(std::filesystem::symlink_status(set / "music/soundtrack.mp3"));
    const int reader = fifo ? open((set / "music/soundtrack.mp3").c_str(), O_RDONLY | O_NONBLOCK) : -1;
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit saved = limit;
    limit.rlim_cur = c.sizeLimit;
    setrlimit(RLIMIT_FSIZE, &limit);
    const Status status = WriteDataSet(files, set);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_DFL);
    if (reader >= 0) {
      char byte;
      EXPECT_LE(read(reader, &byte, 1), 0) << c.name << ": bytes went into the FIFO";
      close(reader);
    }

    EXPECT_EQ(ReadAll(outside), "outside") << c.name;
    EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "elsewhere") || c.written) << c.name;
    if (c.written) {
      EXPECT_TRUE(status.ok()) << c.name << ": " << status.message;
      EXPECT_EQ(ReadAll(set / "gfx/facea.raw"), c.facea) << c.name;
      EXPECT_EQ(ReadAll(set / "music/soundtrack.mp3"), std::string(10, 'm')) << c.name;
      continue;
    }
    EXPECT_EQ(status.kind, ErrorKind::kUnwritable) << c.name;
    EXPECT_NE(status.message.find((folder.path() / c.named).string() + ":"), std::string::npos)
        << c.name << ": " << status.message;
    // Each file is whole or as it was, and nothing is left beside them.
    EXPECT_EQ(ReadAll(set / "gfx/clip01.raw"), "earlier") << c.name;
    EXPECT_EQ(Names(folder.path()), before) << c.name;
    EXPECT_EQ(ReadAll(set / "gfx/facea.raw"), c.facea) << c.name;
  }
}

// The program's own calls: help and version write nothing, a bad call is one
// line and status 1, and nothing lands in the working folder.
TEST(DatagenProgram, HelpVersionAndBadCallsWriteNothing) {
  const std::filesystem::path program = BuiltFolder() / "vantrelle-datagen";
  struct Case {
    const char* arguments;  // shell words
    int status;
    const char* starts;  // the output's beginning
    bool oneLine;
  };
  const Case cases[] = {
      {"-h", 0, "Writes the show's default data set", false},
      {"--help", 0, "Writes the show's default data set", false},
      {"--version", 0, "vantrelle-datagen ", true},
      {"--bogus out", 1, "vantrelle-datagen: The following argument was not expected: --bogus", true},
      {"out extra", 1, "vantrelle-datagen: The following argument was not expected: extra", true},
      {"''", 1, "vantrelle-datagen: OUTDIR: must name a folder", true},
      {"", 1, "vantrelle-datagen: OUTDIR is required", true},
  };
  for (const Case& c : cases) {
    const ScratchFolder folder;
    const ToolRun run = RunTool(program, c.arguments, folder.path());
    const std::string& output = run.output;
    EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << output;
    EXPECT_EQ(output.rfind(c.starts, 0), 0u) << c.arguments << "\n" << output;
    if (c.oneLine) {
      EXPECT_EQ(output.find('\n'), output.size() - 1) << c.arguments << "\n" << output;
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << c.arguments << ": something was written";
  }
}

}  // namespace
}  // namespace vantrelle::datagen
