#pragma once
// A credits page zooming out from the frame centre in eight jumps of 231 ms,
// each jump starting at full brightness and fading almost to black.
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

// Fills every pixel of `frame` from a 400 x 240 page of palette indices drawn
// through `colours` (256 RGB565 entries), bilinearly sampled. timeInSegment in
// ms, 0..1847; values outside are clamped to that range.
void DrawZoomPage(FrameBuffer& frame, const std::uint8_t* page, const std::uint16_t* colours,
                  std::int32_t timeInSegment);

}  // namespace vantrelle
