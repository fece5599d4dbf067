#pragma once
// Full-frame fades, applied last in a frame. Level 0 leaves every pixel as
// it is; 256 gives pure white or pure black. Each RGB565 field moves by the
// same fraction of its own range; shifts truncate.
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

// Every field f becomes ((f * (256 - level) + level * M) >> 8) & M.
// Levels outside 0..256 are taken as the nearest bound.
void FadeToWhite(FrameBuffer& frame, std::int32_t level);

// Every field f becomes ((f * (256 - level)) >> 8) & M.
void FadeToBlack(FrameBuffer& frame, std::int32_t level);

}  // namespace vantrelle
