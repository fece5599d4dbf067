#pragma once
// Keeps exceptions inside a program: whatever escapes its body ends it with
// one line on standard error and status 1, never an abort.
#include <cstdio>
#include <exception>

namespace vantrelle::platform {

inline constexpr int kUnexpectedFailure = 1;

// Runs body(argc, argv) and returns its status; `program` starts the line.
inline int RunGuarded(const char* program, int (*body)(int, char**), int argc, char** argv) noexcept {
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
