#pragma once
// RGB565 fields in linear light: each field's sRGB code decoded as relative
// luminance's sRGB formula decodes it, in 1/65536 (0 .. 65536). Literal
// tables, so every build (native or WebAssembly) reads the same integers.
#include <array>
#include <cstdint>

namespace vantrelle::flash {

inline constexpr std::uint32_t kLinearOne = 65536;  // 1.0 in linear light

// Indexed by the 5-bit red or blue code.
extern const std::array<std::uint32_t, 32> kLinear5;
// Indexed by the 6-bit green code.
extern const std::array<std::uint32_t, 64> kLinear6;

// The code of `table` nearest to `linear` in linear light (ties go to the darker code).
int NearestCode(const std::uint32_t* table, int codes, std::uint32_t linear);

}  // namespace vantrelle::flash
