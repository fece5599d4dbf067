#pragma once
// gfx\facea..faced (.raw, .pal, alpha.raw): four 140 x 240 portraits of
// stylised lit figures (a gold mask, a robot, a marble bust, a horned mask),
// each with its own palette and a soft-edged opacity mask.
#include <cstdint>
#include <vector>

#include "tools/datagen/lib/palette_picture.h"

namespace vantrelle::datagen {

inline constexpr int kPortraitWidth = 140;
inline constexpr int kPortraitHeight = 240;
inline constexpr int kPortraitCount = 4;

struct Portrait {
  PalettePicture picture;
  std::vector<std::uint8_t> alpha;  // 0..255, same pixel order
};

// which = 0..3 for facea..faced.
Portrait MakePortrait(int which);

}  // namespace vantrelle::datagen
