#pragma once
// The rotation every 3D step turns points by, built from three angles and
// handed on as a value.
#include <array>
#include <cstdint>

namespace vantrelle {

// Row-major m00, m01, m02, m10, ..., m22, each 16.16.
using Rotation = std::array<std::int32_t, 9>;

// The rotation for three angles (4096 per turn, only the low 12 bits count):
// the inverse of the camera orientation Rz(c) * Ry(b) * Rx(a).
Rotation BuildRotation(std::int32_t a, std::int32_t b, std::int32_t c);

}  // namespace vantrelle
