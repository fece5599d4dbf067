#pragma once
// 32-bit arithmetic that wraps on purpose (fixed-point partial products,
// accumulated sums). It wraps through unsigned types, so it never relies on
// signed overflow.
#include <cstdint>

namespace vantrelle {

constexpr std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
constexpr std::int32_t WrapSub(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
constexpr std::int32_t WrapMul(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}
constexpr std::int32_t WrapNeg(std::int32_t a) { return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(a)); }
// a << s keeping the low 32 bits, for negative a too. s in 0..31.
constexpr std::int32_t WrapShl(std::int32_t a, int s) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) << s);
}
// The low 32 bits of a 64-bit result, as a signed number.
constexpr std::int32_t Low32(std::int64_t v) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
}

}  // namespace vantrelle
