#pragma once
// The one planet of the show: its ground colours and cloud cover as functions
// of a unit direction from its centre (body frame, y through the poles). The
// opening's planet disc and the sphere's map are both painted from it.
#include "tools/datagen/lib/palette_picture.h"

namespace vantrelle::datagen {

Colour PlanetGround(double x, double y, double z);
double PlanetClouds(double x, double y, double z);  // 0..1 cover

// Ground with clouds over it, unlit.
Colour PlanetAlbedo(double x, double y, double z);

}  // namespace vantrelle::datagen
