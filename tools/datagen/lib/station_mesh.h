#pragma once
// mesh\zerozev.3df: the show's one authored object, a space station (core,
// habitat ring on spokes, mast with solar wings, dish) centred on the origin,
// about ten units in radius, for the camera paths that circle it at 14 to 24
// units. Textured from the two end-texture pages, with normals, every face
// wound so that back-face culling shows a closed object.
#include <cstdint>
#include <vector>

#include "assets/mesh.h"

namespace vantrelle::datagen {

inline constexpr std::uint16_t kMeshFlags = 0x000F;  // normals, uv, face normals, attributes
using vantrelle::kTexturedKind;                      // the attribute kind the renderer draws

std::vector<std::uint8_t> MakeStationMesh();

}  // namespace vantrelle::datagen
