#include "tools/render/progress.h"

#include <unistd.h>

#include <cmath>

namespace vantrelle::render {
namespace {

constexpr double kLineEvery = 5.0;  // seconds between plain lines
constexpr double kBarEvery = 0.25;  // seconds between redraws of the bar
constexpr int kBarWidth = 30;       // characters; the whole line fits in 80 columns

}  // namespace

ProgressStyle ProgressStyleFor(bool quiet, std::FILE* out, std::int64_t totalFrames) {
  if (quiet || totalFrames <= kFewFrames) {
    return ProgressStyle::kSilent;
  }
  return isatty(fileno(out)) ? ProgressStyle::kBar : ProgressStyle::kLines;
}

std::string FormatDuration(double seconds) {
  const long long whole = seconds > 0 ? static_cast<long long>(std::ceil(seconds)) : 0;
  char text[32];
  std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
  return text;
}

Progress::Progress(std::FILE* out, ProgressStyle style, std::int64_t totalFrames)
    : out_(out), style_(style), total_(totalFrames) {
  nextReport_ = style == ProgressStyle::kLines ? kLineEvery : 0;
}

std::string Progress::Status(std::int64_t done, double elapsed) const {
  const double fps = elapsed > 0 ? static_cast<double>(done) / elapsed : 0;
  char text[96];
  if (fps > 0) {
    std::snprintf(text, sizeof text, "%lld/%lld frames, %.1f fps, %s left", static_cast<long long>(done),
                  static_cast<long long>(total_), fps,
                  FormatDuration(static_cast<double>(total_ - done) / fps).c_str());
  } else {
    std::snprintf(text, sizeof text, "%lld/%lld frames", static_cast<long long>(done), static_cast<long long>(total_));
  }
  return text;
}

void Progress::Start() {
  if (style_ == ProgressStyle::kLines) {
    std::fprintf(out_, "vantrelle-render: %lld frames to draw\n", static_cast<long long>(total_));
    std::fflush(out_);
  } else if (style_ == ProgressStyle::kBar) {
    Update(0, 0);
  }
}

void Progress::Update(std::int64_t done, double elapsed) {
  done_ = done;
  if (style_ == ProgressStyle::kSilent || elapsed < nextReport_) {
    return;
  }
  if (style_ == ProgressStyle::kLines) {
    std::fprintf(out_, "vantrelle-render: %s\n", Status(done, elapsed).c_str());
    while (nextReport_ <= elapsed) {
      nextReport_ += kLineEvery;
    }
  } else {
    const int filled = total_ > 0 ? static_cast<int>(done * kBarWidth / total_) : kBarWidth;
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.resize(kBarWidth, '.');
    // Trailing spaces wipe what a longer previous status left behind.
    std::fprintf(out_, "\r[%s] %s   ", bar.c_str(), Status(done, elapsed).c_str());
    nextReport_ = elapsed + kBarEvery;
  }
  std::fflush(out_);
}

void Progress::Finish(double elapsed) {
  if (style_ == ProgressStyle::kSilent) {
    return;
  }
  if (style_ == ProgressStyle::kBar) {
    nextReport_ = 0;
    Update(done_, elapsed);
    std::fputc('\n', out_);
  }
  const double fps = elapsed > 0 ? static_cast<double>(done_) / elapsed : 0;
  std::fprintf(out_, "vantrelle-render: %lld frames in %s (%.1f fps)\n", static_cast<long long>(done_),
               FormatDuration(elapsed).c_str(), fps);
  std::fflush(out_);
}

}  // namespace vantrelle::render
