#pragma once
// One frame of a 3D scene: background, then one mesh drawn far to near.
#include <cstdint>

#include "core/frame_buffer.h"
#include "render3d/camera.h"
#include "render3d/render_modes.h"

namespace vantrelle {

// What the faces are filled from; which entries a mode reads:
struct MeshMaterial {
  const std::uint16_t* pages = nullptr;      // RGB565 pages, 65,536 texels each (modes 0, 3, 5)
  const std::uint8_t* indexPages = nullptr;  // byte pages, 65,536 texels each (mode 4)
  const std::uint16_t* colours = nullptr;    // 256 shades (modes 1, 2) or 65,536 light x texel entries (mode 4)
  const std::uint8_t* lightMap = nullptr;    // 256 x 256 bytes (mode 4)
};

// mesh: a Mesh record, at most 8,192 vertices and 4,096 faces; the Gouraud,
// lit and normal-mapped modes read one vertex normal per vertex. Overwrites
// its own working arrays only.
void RenderMeshScene(FrameBuffer& frame, const Camera& camera, const std::int32_t* mesh, const MeshMaterial& material,
                     const std::uint16_t* skybox, MeshBackground background, MeshMode mode);

}  // namespace vantrelle
