#pragma once
// Tumbling rings of soft dark blobs on white.
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

// points: 624 flat x, y, z triples (16.16), turned by BuildRotation(t/2, t/3,
// t) (t in ms) and projected with cameraDepth (16.16). Each point at least
// 98,560 deep adds a GlowSprite blob of 96 pixels / depth in units; the sums
// saturate at 255 and come out through GreyRamp inverted (nothing drawn is
// white). Overwrites every pixel and the camera/screen arrays.
void DrawRings(FrameBuffer& frame, const std::int32_t* points, std::int32_t cameraDepth, std::int32_t t);

}  // namespace vantrelle
