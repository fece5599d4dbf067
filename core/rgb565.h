#pragma once
// RGB565 fields. Blends weigh each field in place, without shifting it down.
#include <cstdint>

namespace vantrelle {

inline constexpr std::uint32_t kRedMask = 0xF800;    // bits 15-11
inline constexpr std::uint32_t kGreenMask = 0x07E0;  // bits 10-5
inline constexpr std::uint32_t kBlueMask = 0x001F;   // bits 4-0
inline constexpr std::uint32_t kFieldMasks[3] = {kRedMask, kGreenMask, kBlueMask};

// Each field of `pixel` moved toward the same field of `other` by weight/256:
// (((pixel & M) * (256 - weight) + (other & M) * weight) >> 8) & M, weight 0..256.
constexpr std::uint16_t BlendFields(std::uint32_t pixel, std::uint32_t other, std::uint32_t weight) {
  std::uint32_t out = 0;
  for (std::uint32_t m : kFieldMasks) {
    out |= (((pixel & m) * (256 - weight) + (other & m) * weight) >> 8) & m;
  }
  return static_cast<std::uint16_t>(out);
}

}  // namespace vantrelle
