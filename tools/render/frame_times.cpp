#include "tools/render/frame_times.h"

#include <algorithm>

namespace vantrelle::render {

FrameTimes FrameTimes::List(std::vector<DemoClock> times) {
  FrameTimes list;
  list.count_ = static_cast<std::int64_t>(times.size());
  list.list_ = std::move(times);
  return list;
}

FrameTimes FrameTimes::ByStep(DemoClock from, DemoClock to, std::int32_t stepMs) {
  FrameTimes range;
  range.from_ = from;
  range.stepMs_ = stepMs;
  const std::int64_t length = std::max<std::int64_t>(0, std::int64_t{to} - from);
  range.count_ = (length + stepMs - 1) / stepMs;
  return range;
}

FrameTimes FrameTimes::AtRate(DemoClock from, DemoClock to, std::int32_t fps) {
  FrameTimes range;
  range.from_ = from;
  range.fps_ = fps;
  // floor(n * 1000 / fps) < length exactly when n * 1000 < length * fps.
  const std::int64_t length = std::max<std::int64_t>(0, std::int64_t{to} - from);
  range.count_ = (length * fps + 999) / 1000;
  return range;
}

DemoClock FrameTimes::At(std::int64_t n) const {
  if (stepMs_ > 0) {
    return static_cast<DemoClock>(from_ + n * stepMs_);
  }
  if (fps_ > 0) {
    return static_cast<DemoClock>(from_ + n * 1000 / fps_);
  }
  return list_[static_cast<std::size_t>(n)];
}

DemoClock FrameTimes::FirstNegative() const {
  if (stepMs_ > 0 || fps_ > 0) {
    return std::min(from_, DemoClock{0});  // a range only rises from its first time
  }
  for (DemoClock t : list_) {
    if (t < 0) {
      return t;
    }
  }
  return 0;
}

Status CheckTimes(const FrameTimes& times) {
  const DemoClock t = times.Count() > 0 ? times.FirstNegative() : 0;
  if (t < 0) {
    return Status::Failure(ErrorKind::kMalformed,
                           "time " + std::to_string(t) + " ms is negative; the show starts at 0");
  }
  return {};
}

}  // namespace vantrelle::render
