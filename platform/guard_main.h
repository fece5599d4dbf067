#pragma once
// Keeps exceptions inside a program: whatever escapes its body ends it with
// one line on standard error and status 1, never an abort. Standard input,
// output and error that were closed are first opened on /dev/null, read-only.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace vantrelle::platform {

inline constexpr int kUnexpectedFailure = 1;

// A caller's "2>&-" would let the first file we open become descriptor 2,
// and our messages would land in it: descriptors 0 to 2 are taken first.
// They are opened read-only, so that output sent to a stream the caller
// closed fails instead of vanishing without a word.
inline void FillStandardDescriptors() noexcept {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) == -1 && errno == EBADF && open("/dev/null", O_RDONLY) != fd) {
      std::_Exit(kUnexpectedFailure);  // nowhere safe to say so
    }
  }
}

// Runs body(argc, argv) and returns its status; `program` starts the line.
inline int RunGuarded(const char* program, int (*body)(int, char**), int argc, char** argv) noexcept {
  FillStandardDescriptors();
  try {
    return body(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", program, e.what());
  } catch (...) {
    std::fprintf(stderr, "%s: stopped by an unexpected failure\n", program);
  }
  return kUnexpectedFailure;
}

}  // namespace vantrelle::platform
