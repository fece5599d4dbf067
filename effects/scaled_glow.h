#pragma once
// A soft white layer: a 256 x 256 opacity table scaled onto the frame at a
// sub-pixel position, each pixel blended toward white by opacity/256.
// Quirk: opacity 255 never reaches pure white, as the show's glow.
#include <cstdint>

#include "core/frame_buffer.h"
#include "effects/layer_setup.h"

namespace vantrelle {

void DrawScaledGlow(FrameBuffer& frame, const std::uint8_t* alpha, const ScaledLayer& layer);

}  // namespace vantrelle
