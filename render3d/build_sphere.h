#pragma once
// The textured planet sphere: 16 rings of 16 vertices, built once.
#include <cstdint>

namespace vantrelle {

// Fills the whole record: V = 256, F = 480 with texture coordinates (a
// 4096-wide wrap of u around, v 256 per ring), no normals. Ring 0 is 16
// copies of the pole (0, 1, 0); ring 15 stops short of the other pole.
void BuildSphere(std::int32_t* mesh);

}  // namespace vantrelle
