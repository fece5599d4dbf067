#pragma once
// The textured cube around the viewer, behind every 3D scene.
#include <cstdint>

#include "core/frame_buffer.h"
#include "render3d/build_rotation.h"
#include "render3d/render_modes.h"

namespace vantrelle {

// Draws SkyboxMesh turned by rotation (no translation: it never comes
// nearer). skybox: six 256 x 256 RGB565 pages, page k at 65,536 * k.
// Triangles with a corner beside or behind the eye are left out whole.
void DrawSkybox(FrameBuffer& frame, const Rotation& rotation, const std::uint16_t* skybox, SkyboxFill fill);

}  // namespace vantrelle
