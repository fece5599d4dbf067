#pragma once
// Tables derived at start-up from the sine tables and the data files; the
// show only reads them (build_precomputed_tables.h writes them).
#include <array>
#include <cstdint>

#include "assets/asset_buffers.h"

namespace vantrelle {

extern const std::array<std::uint8_t, 15 * 96000>& GreetsPages;  // fifteen 400 x 240 pages
extern const std::array<std::uint16_t, 256>& GreyRamp;
extern const std::array<std::uint16_t, 256>& BlueRamp;
extern const std::array<std::uint16_t, 256>& RedRamp;
extern const std::array<std::uint16_t, 65536>& PlanetColours;  // 256 x 256 RGB565
extern const std::array<std::uint16_t, 65536>& PlanetMask;     // 0xFFFF where transparent
extern const std::array<std::uint16_t, 6 * 65536>& StarSkybox;
extern const std::array<std::uint16_t, 6 * 65536>& PlanetStarSkybox;
extern const std::array<std::uint8_t, 65536>& GlowDisc;     // rows and columns 0..159 used
extern const std::array<std::int16_t, 7392>& TextBlurLong;  // blur radius per ms
extern const std::array<std::int16_t, 3696>& TextBlurShort;
extern const std::array<std::int32_t, 624 * 3>& RingPoints;  // x, y, z in 16.16
extern const std::array<std::uint8_t, 65536>& GlowSprite;
extern const std::array<std::uint8_t, 65536>& XorPattern;  // 256 x 256 bytes, x XOR y

// The texture the flat-shaded tetrahedron scenes are handed (they never read
// it); its own 64 KiB, so that no later loading can change it.
inline const std::uint8_t* XorTexture() { return XorPattern.data(); }

}  // namespace vantrelle
