#pragma once
// gfx\radialtexture.raw/.pal: 256 x 256, a colourful pattern that tiles in
// both directions (the radial effect reads columns by angle and rows by
// distance, both wrapping).
#include "tools/datagen/lib/palette_picture.h"

namespace vantrelle::datagen {

PalettePicture MakeRadialTexture();

}  // namespace vantrelle::datagen
