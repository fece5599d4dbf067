#pragma once
// The 16.16 product, rounding toward zero, wrapped modulo 2^32 like the
// handheld's registers (which sum three 16 x 16-bit partial products of the
// magnitudes to the same value). FixMul(-a, b) == -FixMul(a, b).
#include <cstdint>

namespace vantrelle {

// The full product fits in 64 bits; a negative one is moved up by 2^16 - 1
// before the arithmetic shift, so that it rounds toward zero too. No branch:
// signs are as often mixed as not in the transforms.
constexpr std::int32_t FixMul(std::int32_t a, std::int32_t b) {
  const std::int64_t p = std::int64_t{a} * b;
  const std::int64_t toward = p < 0 ? p + 0xFFFF : p;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(toward >> 16)));
}

}  // namespace vantrelle
