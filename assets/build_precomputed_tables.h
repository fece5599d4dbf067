#pragma once
// Derives the start-up tables from the sine tables and the loaded pictures:
// greets pages, colour ramps, planet tables, skybox textures, glow disc, text
// blur ramps, ring points, glow sprite and XorTexture.
// Needs SinTable/CosTable built and StagingB, PlanetPalette, StarSkyPicture
// and GreetsFileBuffer loaded; overwrites every table of precomputed_tables.h.

#include "assets/precomputed_tables.h"

namespace vantrelle {

void BuildPrecomputedTables();

// Writable views of the tables of precomputed_tables.h, for the start-up
// code that fills them; everything else reads them through const references.
namespace startup {
extern std::array<std::uint8_t, 15 * 96000> GreetsPages;
extern std::array<std::uint16_t, 256> GreyRamp;
extern std::array<std::uint16_t, 256> BlueRamp;
extern std::array<std::uint16_t, 256> RedRamp;
extern std::array<std::uint16_t, 65536> PlanetColours;
extern std::array<std::uint16_t, 65536> PlanetMask;
extern std::array<std::uint16_t, 6 * 65536> StarSkybox;
extern std::array<std::uint16_t, 6 * 65536> PlanetStarSkybox;
extern std::array<std::uint8_t, 65536> GlowDisc;
extern std::array<std::int16_t, 7392> TextBlurLong;
extern std::array<std::int16_t, 3696> TextBlurShort;
extern std::array<std::int32_t, 624 * 3> RingPoints;
extern std::array<std::uint8_t, 65536> GlowSprite;
extern std::array<std::uint8_t, 65536> XorPattern;
}  // namespace startup

}  // namespace vantrelle
