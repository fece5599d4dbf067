#pragma once
// What the show needs of its mesh file before it is loaded: texture
// coordinates and attribute words present, counts within the renderer's
// limits (8192 vertices, 4096 faces), exactly the length the counts give,
// every corner naming a vertex, and every textured face (kind 3) naming a
// page of EndTexture (0 or 1).
#include <cstdint>
#include <span>

#include "core/status.h"

namespace vantrelle {

// Ok if the file is fit to show, else kMalformed with "expected ..., found ...".
Status CheckMeshFile(std::span<const std::uint8_t> file);

}  // namespace vantrelle
