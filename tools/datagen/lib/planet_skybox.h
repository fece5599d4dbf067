#pragma once
// gfx\planetskybox.raw/.pal: six 256 x 256 pages of a nebula sky sharing one
// palette. Every texel is painted from its direction on the skybox cube, so
// neighbouring pages meet without a seam.
#include "tools/datagen/lib/palette_picture.h"

namespace vantrelle::datagen {

inline constexpr int kSkyboxFace = 256;

// Direction (not normalised) of texel centre (x + 0.5, y + 0.5) of skybox
// page `page`, in the renderer's model axes (y up).
void SkyboxTexelDirection(int page, double x, double y, double out[3]);

PalettePicture MakePlanetSkybox();

}  // namespace vantrelle::datagen
