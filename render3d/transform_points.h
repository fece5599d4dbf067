#pragma once
// Moves points into camera space with a rotation.
#include <cstdint>

#include "render3d/build_rotation.h"

namespace vantrelle {

// source and destination are `count` flat x, y, z triples in 16.16;
// (tx, ty, tz) is the camera position in model space, subtracted before the
// rotation (pass 0, 0, 0 for normals). Overwrites destination[0 .. 3 * count).
void TransformPoints(const Rotation& rotation, const std::int32_t* source, std::int32_t* destination, std::int32_t tx,
                     std::int32_t ty, std::int32_t tz, std::int32_t count);

}  // namespace vantrelle
