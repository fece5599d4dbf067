#pragma once
// The plain back-end of the vector layer: eight 16-bit (or four 32-bit) lanes in an array,
// each operation a loop over them. It is the reference the other back-ends
// must match, and what builds without vector units (or with VANTRELLE_SIMD
// off) run.
#include <array>
#include <cstdint>

namespace vantrelle::simd {

struct LaneArray {
  std::array<std::uint16_t, 8> lane;
};
struct LaneArray32 {
  std::array<std::uint32_t, 4> lane;
};

// out[i] = f(a[i], b[i]) on 32-bit values, kept to the low 16 bits.
template <class F>
constexpr LaneArray EachLane(LaneArray a, LaneArray b, F f) {
  LaneArray out{};
  for (int i = 0; i < 8; ++i) {
    out.lane[i] = static_cast<std::uint16_t>(f(std::uint32_t{a.lane[i]}, std::uint32_t{b.lane[i]}));
  }
  return out;
}

// out[i] = f(a[i], b[i]) on 32-bit lanes, wrapping modulo 2^32.
template <class F>
constexpr LaneArray32 EachLane(LaneArray32 a, LaneArray32 b, F f) {
  LaneArray32 out{};
  for (int i = 0; i < 4; ++i) out.lane[i] = f(a.lane[i], b.lane[i]);
  return out;
}

}  // namespace vantrelle::simd
