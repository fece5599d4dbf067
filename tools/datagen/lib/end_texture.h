#pragma once
// gfx\endtexture.raw/.pal: two 256 x 256 texture pages (page 1 follows page 0)
// with one palette, the surfaces of the loaded mesh.
//  page 0: hull plating, with a band of lit windows in rows 112..143;
//  page 1: solar cells in rows 0..127, ribbed pipe in rows 128..191 and a
//          lit grille in rows 192..255.
#include "tools/datagen/lib/palette_picture.h"

namespace vantrelle::datagen {

inline constexpr int kEndTextureWindowRow = 112;
inline constexpr int kEndTextureSolarRows = 128;
inline constexpr int kEndTexturePipeRow = 128;
inline constexpr int kEndTextureGrilleRow = 192;

PalettePicture MakeEndTexture();

}  // namespace vantrelle::datagen
