#pragma once
// The one shared rotation of the 3D engine. Whoever transforms builds it
// first: the renderer, the skybox, the ring points and the tetra animators all
// overwrite it.
#include <array>
#include <cstdint>

namespace vantrelle {

// Row-major m00, m01, m02, m10, ..., m22, each 16.16.
extern std::array<std::int32_t, 9> Rotation;

// Writes Rotation from three angles (4096 per turn, only the low 12 bits
// count): the inverse of the camera orientation Rz(c) * Ry(b) * Rx(a).
void BuildRotation(std::int32_t a, std::int32_t b, std::int32_t c);

}  // namespace vantrelle
