#pragma once
// The tunnel of 64 rings of four tetrahedra, built once at start-up.
#include <cstdint>

namespace vantrelle {

// Fills the whole record like BuildTetraField, with ring g's four tetrahedra
// on the unit circle at depth 1 + g/4 units. AnimateTetraTunnel replaces the
// positions before the first frame.
void BuildTetraTunnel(std::int32_t* mesh);

}  // namespace vantrelle
