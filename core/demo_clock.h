#pragma once
#include <cstdint>

namespace vantrelle {

// Milliseconds since the soundtrack's play call returned; read once per frame.
using DemoClock = std::int32_t;

inline constexpr DemoClock kBeatMs = 462;           // one beat of the soundtrack
inline constexpr DemoClock kShowLengthMs = 251328;  // 544 beats

}  // namespace vantrelle
