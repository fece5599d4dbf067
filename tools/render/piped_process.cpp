#include "tools/render/piped_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "tools/render/stop_signals.h"

extern char** environ;

namespace vantrelle::render {
namespace {

constexpr int kSharedDescriptor = 3;      // the first after the standard three
constexpr std::size_t kErrorTail = 4096;  // bytes of the child's error output kept for the report

// The last non-empty line of what the child wrote to its standard error.
std::string LastLine(int fd) {
  const off_t size = lseek(fd, 0, SEEK_END);
  if (size <= 0) {
    return {};
  }
  const off_t from = size > static_cast<off_t>(kErrorTail) ? size - static_cast<off_t>(kErrorTail) : 0;
  std::string text(static_cast<std::size_t>(size - from), '\0');
  const ssize_t got = pread(fd, text.data(), text.size(), from);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  const std::size_t start = text.find_last_of("\r\n");
  return start == std::string::npos ? text : text.substr(start + 1);
}

}  // namespace

PipedProcess::~PipedProcess() {
  if (pid_ > 0) {
    Finish();
  }
  if (errorFile_ >= 0) {
    close(errorFile_);
  }
}

Status PipedProcess::Start(const std::vector<std::string>& arguments, int shared) {
  program_ = arguments.at(0);
  // In memory, so that a missing or odd TMPDIR does not matter.
  errorFile_ = memfd_create("vantrelle-render-messages", MFD_CLOEXEC);
  if (errorFile_ < 0) {
    return Status::Failure(ErrorKind::kUnreadable, "cannot keep " + program_ + "'s messages: " + std::strerror(errno));
  }

  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) {
    return Status::Failure(ErrorKind::kUnreadable, "cannot make a pipe to " + program_ + ": " + std::strerror(errno));
  }
  std::signal(SIGPIPE, SIG_IGN);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errorFile_, STDERR_FILENO);
  if (shared >= 0) {
    posix_spawn_file_actions_adddup2(&actions, shared, kSharedDescriptor);
  }
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

  std::vector<char*> argv;
  for (const std::string& a : arguments) {
    argv.push_back(const_cast<char*>(a.c_str()));
  }
  argv.push_back(nullptr);
  const int failed = posix_spawnp(&pid_, program_.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close(ends[0]);
  if (failed != 0) {
    pid_ = -1;
    close(ends[1]);
    if (failed == ENOENT) {
      return Status::Failure(ErrorKind::kNotFound, program_ + " not found");
    }
    return Status::Failure(ErrorKind::kUnreadable, "cannot start " + program_ + ": " + std::strerror(failed));
  }
  input_ = fdopen(ends[1], "wb");
  if (input_ == nullptr) {
    close(ends[1]);
    Finish();
    return Status::Failure(ErrorKind::kUnreadable, "cannot write to " + program_ + ": " + std::strerror(errno));
  }
  return {};
}

void PipedProcess::Kill() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
  }
  Finish();
}

Status PipedProcess::Finish() {
  if (input_ != nullptr) {
    std::fclose(input_);  // a write error shows in the exit status
    input_ = nullptr;
  }
  if (pid_ <= 0) {
    return {};
  }
  int status = 0;
  pid_t waited;
  do {
    if (StopSignal() != 0) {
      kill(pid_, SIGKILL);  // a stopped export does not wait for a program that may never end
    }
    waited = waitpid(pid_, &status, 0);
  } while (waited < 0 && errno == EINTR);
  pid_ = -1;
  if (waited < 0) {
    return Status::Failure(ErrorKind::kUnwritable, "lost track of " + program_ + ": " + std::strerror(errno));
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
    return {};
  }
  std::string reason = WIFEXITED(status) ? program_ + " failed with exit status " + std::to_string(WEXITSTATUS(status))
                                         : program_ + " was killed by signal " + std::to_string(WTERMSIG(status));
  if (const std::string last = LastLine(errorFile_); !last.empty()) {
    reason += ": " + last;
  }
  return Status::Failure(ErrorKind::kUnwritable, reason);
}

}  // namespace vantrelle::render
