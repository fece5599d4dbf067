#pragma once
// A program started from PATH (no shell) with its standard input fed by us
// through a pipe. Its standard error goes to an anonymous file in memory so
// that a failure can be told in one line, its last.
#include <sys/types.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/status.h"

namespace vantrelle::render {

class PipedProcess {
 public:
  PipedProcess() = default;
  ~PipedProcess();  // closes the input and waits, if Finish was not called
  PipedProcess(const PipedProcess&) = delete;
  PipedProcess& operator=(const PipedProcess&) = delete;

  // Starts arguments[0] with the given arguments. Ok, or a failure with one
  // line: kNotFound ("<program> not found") when it is not on PATH,
  // kUnreadable when it cannot be started or fed. Ignores SIGPIPE in this
  // process from then on, so that a program that dies makes writes fail
  // instead of killing us; the child gets the default action back. A
  // `shared` descriptor (>= 0) is handed to it as its descriptor 3.
  Status Start(const std::vector<std::string>& arguments, int shared = -1);

  // Where to write its input; null before Start.
  std::FILE* Input() const { return input_; }

  // Closes its input and waits for it; once a stop signal was caught
  // (stop_signals.h) it is killed instead. Ok when it exited with status 0, else
  // kUnwritable (its work is not complete) with one line: the status and the
  // last line the program wrote to its standard error.
  Status Finish();

  // Kills it (an interrupted export) and waits for it, so that it is not
  // left running on its own.
  void Kill();

 private:
  std::string program_;
  pid_t pid_ = -1;
  std::FILE* input_ = nullptr;
  int errorFile_ = -1;
};

}  // namespace vantrelle::render
