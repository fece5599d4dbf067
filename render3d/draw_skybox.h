#pragma once
// The textured cube around the viewer, behind every 3D scene.
#include <cstdint>

#include "core/frame_buffer.h"
#include "render3d/build_rotation.h"

namespace vantrelle {

// Draws SkyboxMesh turned by rotation (no translation: it never comes
// nearer). skybox: six 256 x 256 RGB565 pages, page k at 65,536 * k.
// perspective != 0 fills with FillPerspective, 0 with FillTextured. Triangles
// with a corner beside or behind the eye are left out whole. The show always
// asks for perspective; the affine sky is kept on purpose, as part of the
// renderer, and tested.
void DrawSkybox(FrameBuffer& frame, const Rotation& rotation, const std::uint16_t* skybox, std::int32_t perspective);

}  // namespace vantrelle
