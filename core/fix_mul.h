#pragma once
// The 16.16 product, rounding toward zero, wrapped modulo 2^32 like the
// handheld's registers (which sum three 16 x 16-bit partial products of the
// magnitudes to the same value). FixMul(-a, b) == -FixMul(a, b).
#include <cstdint>

namespace vantrelle {

constexpr std::int32_t FixMul(std::int32_t a, std::int32_t b) {
  const std::uint64_t ua = a < 0 ? 0u - static_cast<std::uint32_t>(a) : static_cast<std::uint32_t>(a);
  const std::uint64_t ub = b < 0 ? 0u - static_cast<std::uint32_t>(b) : static_cast<std::uint32_t>(b);
  const auto p = static_cast<std::uint32_t>((ua * ub) >> 16);
  return static_cast<std::int32_t>(((a < 0) != (b < 0)) ? 0u - p : p);
}

}  // namespace vantrelle
