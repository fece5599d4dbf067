#pragma once
// The 16.16 product, rounding toward zero, from three 16 x 16-bit partial
// products of the magnitudes (no 64-bit multiply); the partial sums wrap
// modulo 2^32 like the handheld's registers. FixMul(-a, b) == -FixMul(a, b).
#include <cstdint>

namespace vantrelle {

constexpr std::int32_t FixMul(std::int32_t a, std::int32_t b) {
  const std::uint32_t ua = a < 0 ? 0u - static_cast<std::uint32_t>(a) : static_cast<std::uint32_t>(a);
  const std::uint32_t ub = b < 0 ? 0u - static_cast<std::uint32_t>(b) : static_cast<std::uint32_t>(b);
  const std::uint32_t p = (((ua & 0xFFFFu) * (ub & 0xFFFFu)) >> 16) + (ua & 0xFFFFu) * (ub >> 16) + (ua >> 16) * ub;
  return static_cast<std::int32_t>(((a < 0) != (b < 0)) ? 0u - p : p);
}

}  // namespace vantrelle
