#pragma once
// The closing scene's white text, laid over frame columns 50..349.
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

inline constexpr int kEndScrollWidth = 300;
inline constexpr int kEndScrollHeight = 1200;

// Blends every pixel of columns 50..349 toward white by the alpha byte of
// the 300-wide `alpha` picture at row (30 * c / 1000) + y: the text climbs 30
// rows a second from row 0 at c = 0 (ms into the scene, 0..29567).
void DrawEndScroll(FrameBuffer& frame, const std::uint8_t* alpha, std::int32_t timeInSegment);

}  // namespace vantrelle
