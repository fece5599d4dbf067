#include "render3d/draw_skybox.h"

#include <array>

#include "render3d/fillers.h"
#include "render3d/project_points.h"
#include "render3d/select_visible_faces.h"
#include "render3d/skybox_cube.h"
#include "render3d/sort_faces_by_depth.h"
#include "render3d/transform_points.h"

namespace vantrelle {
namespace {

// The skybox's own working arrays; the depth sort's scratch is shared with
// the mesh, which sorts only after the skybox is drawn.
struct Scratch {
  std::array<std::int32_t, 256 * 3> cameraPoints{};
  std::array<std::int32_t, 256 * 3> screenPoints{};
  std::array<std::int32_t, 512> visibleFaces{};
  std::array<std::int32_t, 512> drawList{};
};
Scratch scratch;

}  // namespace

void DrawSkybox(FrameBuffer& frame, const Rotation& rotation, const std::uint16_t* skybox, SkyboxFill fill) {
  const SkyboxGeometry& sky = SkyboxMesh;
  TransformPoints(rotation, sky.vertices.data(), scratch.cameraPoints.data(), 0, 0, 0, SkyboxGeometry::kVertices);
  ProjectPoints(scratch.cameraPoints.data(), scratch.screenPoints.data(), SkyboxGeometry::kVertices, kFrameCentreX16,
                kFrameCentreY16, 0);
  const std::int32_t count = SelectVisibleFaces(sky.drawOrder.data(), scratch.screenPoints.data(), sky.corners.data(),
                                                scratch.visibleFaces.data(), SkyboxGeometry::kFaces);
  SortFacesByDepth(scratch.visibleFaces.data(), scratch.screenPoints.data(), sky.corners.data(),
                   scratch.drawList.data(), count);
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t f = scratch.drawList[i];
    const std::uint16_t* page = skybox + kPageTexels * sky.pages[f];
    const std::int32_t* p0 = scratch.screenPoints.data() + 3 * sky.corners[3 * f];
    const std::int32_t* p1 = scratch.screenPoints.data() + 3 * sky.corners[3 * f + 1];
    const std::int32_t* p2 = scratch.screenPoints.data() + 3 * sky.corners[3 * f + 2];
    const std::int32_t* u = sky.cornerU.data() + 3 * f;
    const std::int32_t* v = sky.cornerV.data() + 3 * f;
    if (fill == SkyboxFill::kPerspective) {
      FillPerspective(frame, page,
                      {{{p0[0], p0[1], {p0[2], u[0], v[0]}},
                        {p1[0], p1[1], {p1[2], u[1], v[1]}},
                        {p2[0], p2[1], {p2[2], u[2], v[2]}}}});
    } else {
      FillTextured(frame, page,
                   {{{p0[0], p0[1], {u[0], v[0]}}, {p1[0], p1[1], {u[1], v[1]}}, {p2[0], p2[1], {u[2], v[2]}}}});
    }
  }
}

}  // namespace vantrelle
