#pragma once
// A stand-in `ffmpeg`, a shell script found first on PATH, so that video
// exports can be tested quickly and made to fail on purpose. It records its
// arguments (one a line) and its process id beside itself, then, by the
// STANDIN_FFMPEG variable: "copy" (default) writes its input to the output
// (the last argument, less a "file:" prefix); "nothing" reads its input and
// exits 0 without writing anything; "stuck" reads its input, then hangs
// for 10 s (as the program "sleep"); "full" reads its input, writes one
// byte and fails as ffmpeg does on a full disk.
#include <sys/types.h>

#include <filesystem>
#include <string>

namespace vantrelle {

class StandInFfmpeg {
 public:
  explicit StandInFfmpeg(const std::filesystem::path& folder);  // made if missing

  // "PATH=... STANDIN_FFMPEG=mode" for RunTool.
  std::string Environment(const std::string& mode = "copy") const;
  // The arguments of its last run, one a line; "" if it never ran.
  std::string Arguments() const;
  // The process id of its last run, or -1.
  pid_t Pid() const;

 private:
  std::filesystem::path folder_;
};

}  // namespace vantrelle
