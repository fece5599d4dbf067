#pragma once
// A masked picture layer: 256 x 256 RGB565 colours and masks scaled onto the
// frame at a sub-pixel position; pixel = (mask AND pixel) OR colour, so a mask
// of 0xFFFF lets the frame through.
#include <cstdint>

#include "core/frame_buffer.h"
#include "effects/layer_setup.h"

namespace vantrelle {

void DrawScaledMasked(FrameBuffer& frame, const std::uint16_t* colours, const std::uint16_t* mask,
                      const ScaledLayer& layer);

}  // namespace vantrelle
