#pragma once
// The scrolling star sky: a 512 x 512 picture of colour indices, wrapping in
// both directions, drawn through a 256-entry RGB565 table. Overwrites every
// pixel of the frame; x, y are the picture column and row at the top-left.
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

void DrawStarSky(FrameBuffer& frame, const std::uint8_t* picture, const std::uint16_t* colours, std::int32_t x,
                 std::int32_t y);

}  // namespace vantrelle
