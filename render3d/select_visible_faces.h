#pragma once
// Face culling: off-frame, back-facing and too-near triangles are dropped.
#include <cstdint>

namespace vantrelle {

// Walks faces order[0 .. faceCount) and writes the numbers of those worth
// drawing to out, in the same order; returns how many. screen holds the
// projected X, Y (1/16 pixel), Z (16.16) triples; corners three vertex
// indices per face. A face is dropped when all corners are left, right,
// above or below the frame, when it runs counter-clockwise on the screen, or
// when any corner has Z <= 4096 (no clipping: a face crossing it goes whole).
std::int32_t SelectVisibleFaces(const std::int32_t* order, const std::int32_t* screen, const std::int32_t* corners,
                                std::int32_t* out, std::int32_t faceCount);

}  // namespace vantrelle
