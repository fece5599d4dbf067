#pragma once
// A soft white layer: a 256 x 256 opacity table scaled onto the frame at a
// sub-pixel position, each pixel blended toward white by opacity/256 (255
// never reaches pure white). x, y, w, h in x16 (1/16 pixel); srcW, srcH in texels.
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

void DrawScaledGlow(FrameBuffer& frame, const std::uint8_t* alpha, std::int32_t x, std::int32_t y, std::int32_t w,
                    std::int32_t h, std::int32_t srcW, std::int32_t srcH);

}  // namespace vantrelle
