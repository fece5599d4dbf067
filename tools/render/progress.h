#pragma once
// Progress of a long render on standard error: a bar redrawn in place on a
// terminal, otherwise a plain line every five seconds, and a closing line.
#include <cstdint>
#include <cstdio>
#include <string>

namespace vantrelle::render {

enum class ProgressStyle { kSilent, kBar, kLines };

// Renders of at most this many frames finish too soon to need progress.
inline constexpr std::int64_t kFewFrames = 10;

// Silent when asked or when the render is short; a bar when `out` is a
// terminal; lines otherwise.
ProgressStyle ProgressStyleFor(bool quiet, std::FILE* out, std::int64_t totalFrames);

// "1:05" (minutes:seconds), whole seconds rounded up so that 0:00 means done.
std::string FormatDuration(double seconds);

class Progress {
 public:
  Progress(std::FILE* out, ProgressStyle style, std::int64_t totalFrames);

  // The opening report: the number of frames to draw, before any is drawn.
  void Start();
  // `done` frames written after `elapsed` seconds; prints when due.
  void Update(std::int64_t done, double elapsed);
  // The closing line: frames, wall time and average rate.
  void Finish(double elapsed);

  // The parts shared by the bar and the lines: "120/15080 frames, 58.1 fps, 4:18 left".
  std::string Status(std::int64_t done, double elapsed) const;

 private:
  std::FILE* out_;
  ProgressStyle style_;
  std::int64_t total_;
  std::int64_t done_ = 0;
  double nextReport_ = 0;  // seconds
};

}  // namespace vantrelle::render
