#pragma once
// Painter's order: faces sorted by mean corner depth, farthest first.
#include <cstdint>

namespace vantrelle {

// Writes visible[0 .. count) to out, largest key first; faces with equal keys
// come out in the reverse of their order in visible. count <= 4096, and every
// face has all corners at Z > 4096 (as SelectVisibleFaces leaves them).
void SortFacesByDepth(const std::int32_t* visible, const std::int32_t* screen, const std::int32_t* corners,
                      std::int32_t* out, std::int32_t count);

}  // namespace vantrelle
