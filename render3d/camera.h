#pragma once
// Where a 3D scene is seen from.
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

struct Camera {
  std::int32_t aroundX = 0, aroundY = 0, aroundZ = 0;  // turns about x, y, z (BuildRotation's a, b, c), 4096 per turn
  std::int32_t x = 0, y = 0, z = 0;                    // position, 16.16
  std::int32_t depth = 0;                              // subtracted from every projected depth, 16.16
  std::int32_t centreX = kFrameCentreX16;              // optical axis on the frame, x16
  std::int32_t centreY = kFrameCentreY16;
};

}  // namespace vantrelle
