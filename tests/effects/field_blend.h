#pragma once
// The plain per-field blend the effects' oracles share, written from its
// meaning on whole numbers.
#include <cstdint>

namespace vantrelle::effects_test {

// Each RGB565 field of p moved toward the same field of o by w/256, truncated.
inline std::uint16_t Toward(std::uint32_t p, std::uint32_t o, std::uint32_t w) {
  std::uint32_t out = 0;
  for (const std::uint32_t shift : {11u, 5u, 0u}) {
    const std::uint32_t top = shift == 5 ? 63 : 31;
    const std::uint32_t f = (p >> shift) & top, g = (o >> shift) & top;
    out |= (f * (256 - w) + g * w) / 256 << shift;
  }
  return static_cast<std::uint16_t>(out);
}

}  // namespace vantrelle::effects_test
