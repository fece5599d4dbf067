#pragma once
// The times a render covers, in milliseconds of the show: a list, or a range
// whose times are worked out one at a time as they are drawn, so that memory
// stays the same for any range.
#include <cstdint>
#include <string>
#include <vector>

#include "core/demo_clock.h"
#include "core/status.h"

namespace vantrelle::render {

// Above this a range's times, whole milliseconds, would only repeat.
inline constexpr std::int32_t kMaxFps = 1000;

class FrameTimes {
 public:
  FrameTimes() = default;
  // The listed times, in order.
  static FrameTimes List(std::vector<DemoClock> times);
  // from <= t < to: t = from + n * stepMs (stepMs >= 1).
  static FrameTimes ByStep(DemoClock from, DemoClock to, std::int32_t stepMs);
  // from <= t < to: t = from + floor(n * 1000 / fps), n counting frames (1 <= fps <= kMaxFps).
  static FrameTimes AtRate(DemoClock from, DemoClock to, std::int32_t fps);

  std::int64_t Count() const { return count_; }
  // The time of frame n, 0 <= n < Count().
  DemoClock At(std::int64_t n) const;
  // The first negative time, or 0 when there is none.
  DemoClock FirstNegative() const;

 private:
  std::vector<DemoClock> list_;
  DemoClock from_ = 0;
  std::int32_t stepMs_ = 0;  // a range by step when > 0
  std::int32_t fps_ = 0;     // a range at a rate when > 0
  std::int64_t count_ = 0;
};

// Ok if every time is usable (none negative), else kMalformed with a one-line reason.
Status CheckTimes(const FrameTimes& times);

}  // namespace vantrelle::render
