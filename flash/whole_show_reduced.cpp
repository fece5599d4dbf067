#include "flash/whole_show_reduced.h"

#include <cstdint>

#include "core/demo_clock.h"

namespace vantrelle::flash {
namespace {

// 0.07 of the range kept: no swing, even black to white, reaches 0.1.
constexpr std::uint32_t kSafeScale = 286;  // x4096
// A grey at 0.2 in linear light: no red stays saturated, and the picture is not darkened to nothing.
constexpr std::uint32_t kSafeLevel = 13107;  // x65536

}  // namespace

FlashMap WholeShowReduced() {
  FlashMap map;
  map.stretches = {{0, kShowLengthMs, kSafeScale, kSafeLevel}};
  return map;
}

}  // namespace vantrelle::flash
