#pragma once
// A portrait laid over a band of columns through its own opacity mask.
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

// Blends a width x 240 RGB565 picture into frame columns leftColumn ..
// leftColumn + width - 1 by `alpha` (width x 240 bytes, 0 keeps the frame, 255
// keeps 1/256 of it). Other columns are untouched; the caller keeps the band
// inside the frame.
void BlendAlphaPicture(FrameBuffer& frame, const std::uint16_t* picture, const std::uint8_t* alpha, std::int32_t width,
                       std::int32_t leftColumn);

}  // namespace vantrelle
