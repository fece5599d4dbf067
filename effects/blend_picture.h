#pragma once
// Cross-fade of a full-screen palette picture with the frame.
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

// Every pixel moves from the frame toward colours[picture[i]] by level/256:
// level 0..256, 256 shows only the picture, 0 leaves the frame. `picture` is
// 400 x 240 palette indices, `colours` 256 RGB565 entries.
void BlendPicture(FrameBuffer& frame, const std::uint8_t* picture, const std::uint16_t* colours, std::int32_t level);

}  // namespace vantrelle
