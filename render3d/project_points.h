#pragma once
// Perspective projection of camera-space points onto the frame.
#include <cstdint>

namespace vantrelle {

// source: `count` camera-space x, y, z triples (16.16). destination: screen
// X, Y in 1/16 pixel (Y down) and Z = z - cameraDepth (16.16), as triples.
// (cx, cy) is the optical axis in 1/16 pixel. Focal length 256 pixels per
// unit; nothing is clipped, points at or behind the viewer are projected too.
void ProjectPoints(const std::int32_t* source, std::int32_t* destination, std::int32_t count, std::int32_t cx,
                   std::int32_t cy, std::int32_t cameraDepth);

}  // namespace vantrelle
