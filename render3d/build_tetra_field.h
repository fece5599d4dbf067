#pragma once
// The field of 256 tetrahedra, built once at start-up.
#include <cstdint>

namespace vantrelle {

// Fills the whole record (V = N = F = G = 1024, no texture coordinates): the
// tetrahedra scattered by sines within +-1/2 unit across and +-2 units deep.
void BuildTetraField(std::int32_t* mesh);

}  // namespace vantrelle
