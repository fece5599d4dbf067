#pragma once
// Derives the start-up tables from the sine tables and the loaded pictures:
// greets pages, colour ramps, planet tables, skybox textures, glow disc, text
// blur ramps, ring points, glow sprite and XorTexture.
// Needs SinTable/CosTable built and StagingB, PlanetPalette, StarSkyPicture
// and GreetsFileBuffer loaded; overwrites every table of precomputed_tables.h.

namespace vantrelle {

void BuildPrecomputedTables();

}  // namespace vantrelle
