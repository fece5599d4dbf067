#pragma once
// A masked picture layer: 256 x 256 RGB565 colours and masks scaled onto the
// frame at a sub-pixel position; pixel = (mask AND pixel) OR colour, so a mask
// of 0xFFFF lets the frame through. x, y, w, h in x16 (1/16 pixel); srcW, srcH in texels.
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

void DrawScaledMasked(FrameBuffer& frame, const std::uint16_t* colours, const std::uint16_t* mask, std::int32_t x,
                      std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t srcW, std::int32_t srcH);

}  // namespace vantrelle
