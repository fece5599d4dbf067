#pragma once
// One frame of a 3D scene: background, then one mesh drawn far to near.
#include <cstdint>

#include "core/frame_buffer.h"
#include "render3d/camera.h"

namespace vantrelle {

// How RenderMeshScene fills the faces; any other mode draws no face.
enum MeshMode : std::int32_t {
  kMeshPagedTexture = 0,  // faces of attribute kind 3, textured from page (attribute >> 16) & 15
  kMeshFlat = 1,          // flat, shaded by the face normal
  kMeshGouraud = 2,       // Gouraud, by the vertex normals
  kMeshTextured = 3,      // textured from page 0
  kMeshTexturedLit = 4,   // byte texture lit through the light map by the vertex normals
  kMeshNormalMapped = 5,  // page 0 mapped by the vertex normals
};

// What the faces are filled from; which entries a mode reads:
struct MeshMaterial {
  const void* texture = nullptr;           // RGB565 pages (modes 0, 3, 5) or byte pages (mode 4), 65,536 texels each
  const std::uint16_t* colours = nullptr;  // 256 shades (modes 1, 2) or 65,536 light x texel entries (mode 4)
  const std::uint8_t* lightMap = nullptr;  // 256 x 256 bytes (mode 4)
};

// mesh: a Mesh record. background 1 draws the skybox pages, 0 clears to
// black, anything else keeps the frame. Meshes hold at most 8,192 vertices
// and 4,096 faces; modes 2, 4 and 5 read one vertex normal per vertex.
// Overwrites its own working arrays only. Modes 2, 4 and 5 are not in the
// show's score: they are kept on purpose, as part of the renderer, and tested.
void RenderMeshScene(FrameBuffer& frame, const Camera& camera, const std::int32_t* mesh, const MeshMaterial& material,
                     const std::uint16_t* skybox, std::int32_t background, std::int32_t mode);

}  // namespace vantrelle
