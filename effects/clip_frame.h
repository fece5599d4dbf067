#pragma once
// The low-resolution clip, enlarged five times across and four times down.
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

// Overwrites every pixel of `frame` with clip frame (timeInSegment / 122) mod
// frameCount, each frame 80 x 60 palette indices (4800 bytes), interpolated and
// drawn through `colours` (256 RGB565 entries). Columns 0..4 and 395..399 and
// rows 236..239 always show colours[0]. timeInSegment in ms (the scene uses
// >= 0; earlier times still pick a frame inside the clip); frameCount >= 1.
void DrawClipFrame(FrameBuffer& frame, const std::uint8_t* frames, const std::uint16_t* colours,
                   std::int32_t frameCount, std::int32_t timeInSegment);

}  // namespace vantrelle
