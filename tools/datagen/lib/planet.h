#pragma once
// gfx\planet.raw/.pal: the lit planet disc of the opening, 256 x 256, index 0
// (black, transparent) outside the disc and never inside it.
// gfx\planetmap.raw/.pal: the same planet's surface as a longitude-latitude
// map in the sphere mesh's texture layout (column = longitude, row = 8.0625
// sphere steps of 1/4096 turn from the north pole).
#include "tools/datagen/lib/palette_picture.h"

namespace vantrelle::datagen {

inline constexpr int kPlanetSize = 256;
inline constexpr double kPlanetCentre = 128.0;  // pixels, both axes
inline constexpr double kPlanetRadius = 120.0;  // pixels

PalettePicture MakePlanet();
PalettePicture MakePlanetMap();

}  // namespace vantrelle::datagen
