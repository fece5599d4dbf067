#include "tools/render/frame_times.h"

namespace vantrelle::render {

std::vector<DemoClock> TimesByStep(DemoClock from, DemoClock to, std::int32_t stepMs) {
  std::vector<DemoClock> times;
  for (std::int64_t t = from; t < to; t += stepMs) {
    times.push_back(static_cast<DemoClock>(t));
  }
  return times;
}

std::vector<DemoClock> TimesAtRate(DemoClock from, DemoClock to, std::int32_t fps) {
  std::vector<DemoClock> times;
  for (std::int64_t n = 0;; ++n) {
    const std::int64_t t = from + n * 1000 / fps;
    if (t >= to) {
      break;
    }
    times.push_back(static_cast<DemoClock>(t));
  }
  return times;
}

std::string CheckTimes(const std::vector<DemoClock>& times) {
  for (DemoClock t : times) {
    if (t < 0) {
      return "time " + std::to_string(t) + " ms is negative; the show starts at 0";
    }
  }
  return {};
}

}  // namespace vantrelle::render
