#pragma once
// Interference of four drifting centres: a 256 x 256 texture looked up by the
// summed angles (column) and distances (row) around the centres, brightened
// toward white by their summed glow.
#include <array>
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

// Top-left corner of a 400 x 240 window into the 800 x 480 radial maps; the
// window sees its centre at frame position (400 - ox, 240 - oy).
struct RadialWindow {
  std::int32_t ox = 0;  // 0..400
  std::int32_t oy = 0;  // 0..240
  friend bool operator==(const RadialWindow&, const RadialWindow&) = default;
};

// The four windows at show time t (ms), from eight SinTable look-ups.
std::array<RadialWindow, 4> RadialWindows(std::int32_t t);

// Overwrites every pixel of `frame` from `texture` (65,536 RGB565 words, index
// = row << 8 | column) through PolarMap and InverseDistanceMap. t is the show
// time in ms, not reset per scene.
void DrawRadialTexture(FrameBuffer& frame, const std::uint16_t* texture, std::int32_t t);

}  // namespace vantrelle
