#pragma once
// Scaled, additive sprite into an 8-bit intensity buffer.
#include <cstdint>

namespace vantrelle {

// Adds the 256 x 256 byte sprite, scaled to w x h and centred on (x, y) (all
// in 1/16 pixel), into the 400 x 240 byte buffer, saturating at 255. Clipped
// rows and columns keep the texel positions they would have had unclipped.
// w or h of 0 draws nothing.
void DrawGlowSprite(std::uint8_t* buffer, const std::uint8_t* sprite, std::int32_t x, std::int32_t y, std::int32_t w,
                    std::int32_t h);

}  // namespace vantrelle
