#pragma once
// Sine and cosine in 16.16, 4096 steps per turn; index with (angle & 4095).
#include <array>
#include <cstdint>

namespace vantrelle {

// Read-only views; only BuildSinCosTables writes the tables.
extern const std::array<std::int32_t, 4096>& SinTable;
extern const std::array<std::int32_t, 4096>& CosTable;

// Fills both tables: entry i = floor(65536 * sin or cos(i * c)), c the double
// nearest 2 * 3.14159265 / 4096 (a hair under 2 pi / 4096), floor in double.
void BuildSinCosTables();

// SinTable[i & 4095], the look-up every caller does.
inline std::int32_t Sin(std::int32_t angle) { return SinTable[static_cast<std::uint32_t>(angle) & 4095u]; }
inline std::int32_t Cos(std::int32_t angle) { return CosTable[static_cast<std::uint32_t>(angle) & 4095u]; }

}  // namespace vantrelle
