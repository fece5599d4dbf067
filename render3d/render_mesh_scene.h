#pragma once
// One frame of a 3D scene: background, then one mesh drawn far to near.
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

// Angles a, b, c: camera orientation (4096 per turn); the three reserved
// values are ignored. (tx, ty, tz) camera position and cameraDepth in 16.16;
// (cx, cy) optical centre in 1/16 pixel. mesh: a Mesh record. texture:
// RGB565 pages (modes 0, 3, 5) or byte pages (mode 4), 65,536 texels each.
// colours: 256 shades (modes 1, 2) or 65,536 light x texel entries (mode 4).
// lightMap: 256 x 256 bytes (mode 4). background 1 draws the skybox pages,
// 0 clears to black, anything else keeps the frame. Modes:
//   0 faces of attribute kind 3, textured from page (attribute >> 16) & 15
//   1 flat, shaded by the face normal     2 Gouraud, by the vertex normals
//   3 textured from page 0                4 byte texture lit by the light map
//   5 page 0 mapped by the vertex normals; any other mode draws no face.
// Meshes hold at most 8,192 vertices and 4,096 faces; modes 2, 4 and 5 read
// one vertex normal per vertex. Overwrites its own working arrays only.
void RenderMeshScene(FrameBuffer& frame, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t reserved1,
                     std::int32_t reserved2, std::int32_t reserved3, std::int32_t tx, std::int32_t ty, std::int32_t tz,
                     std::int32_t cx, std::int32_t cy, std::int32_t cameraDepth, const std::int32_t* mesh,
                     const void* texture, const std::uint16_t* colours, const std::uint8_t* lightMap,
                     const std::uint16_t* skybox, std::int32_t background, std::int32_t mode);

}  // namespace vantrelle
