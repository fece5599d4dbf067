#pragma once
// The times a render covers, in milliseconds of the show.
#include <cstdint>
#include <string>
#include <vector>

#include "core/demo_clock.h"

namespace vantrelle::render {

// from <= t < to: t = from + n * stepMs.
std::vector<DemoClock> TimesByStep(DemoClock from, DemoClock to, std::int32_t stepMs);

// from <= t < to: t = from + floor(n * 1000 / fps), n counting frames.
std::vector<DemoClock> TimesAtRate(DemoClock from, DemoClock to, std::int32_t fps);

// "" if every time is usable (none negative), else a one-line reason.
std::string CheckTimes(const std::vector<DemoClock>& times);

}  // namespace vantrelle::render
