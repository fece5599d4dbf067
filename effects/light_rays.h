#pragma once
// Radial light rays: every pixel brighter than the threshold (0..255) becomes a
// light source whose light streams outward from the centre (frame pixels), and
// the light is added to every field of the frame with saturation.
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

// centreColumn in 144..255 and centreRow in 0..239, so that every pixel lies
// within the 256 x 256 source tables; other centres leave the frame unchanged.
// mode is always 1 (full resolution). Reads BrightnessTable, RaySourceX/Y
// and RayTaps (effect_tables.h), so BuildEffectTables must have run.
void DrawLightRays(FrameBuffer& frame, std::int32_t centreColumn, std::int32_t centreRow, std::int32_t mode,
                   std::int32_t threshold);

}  // namespace vantrelle
