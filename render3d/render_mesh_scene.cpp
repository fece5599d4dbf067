#include "render3d/render_mesh_scene.h"

#include <array>

#include "assets/mesh.h"
#include "core/wrap.h"
#include "render3d/build_rotation.h"
#include "render3d/camera.h"
#include "render3d/draw_skybox.h"
#include "render3d/fillers.h"
#include "render3d/project_points.h"
#include "render3d/select_visible_faces.h"
#include "render3d/sort_faces_by_depth.h"
#include "render3d/transform_points.h"

namespace vantrelle {
namespace {

// Working arrays of one call, rewritten by every call (points are flat x, y, z
// triples). Quirk: rotated normals past a mesh's own count keep what an
// earlier call left there, and a mesh with fewer normals than it reads sees them.
struct Scratch {
  std::array<std::int32_t, kMaxMeshVertices * 3> cameraVertices{};  // 16.16
  std::array<std::int32_t, kMaxMeshVertices * 3> screenVertices{};  // X, Y x16; Z 16.16
  std::array<std::int32_t, kMaxMeshFaces> visibleFaces{};
  std::array<std::int32_t, kMaxMeshFaces> drawList{};  // farthest first
  // One rotated normal per vertex: corners index it by vertex number.
  std::array<std::int32_t, kMaxMeshVertices * 3> rotatedVertexNormals{};
  std::array<std::int32_t, kMaxMeshFaces * 3> rotatedFaceNormals{};
};
Scratch scratch;

// Shade from a camera-space normal's z (16.16): 255 facing the viewer, 128
// edge-on, 1 facing away.
std::int32_t RawShade(std::int32_t nz) { return WrapSub(8388608, WrapMul(127, nz)) >> 16; }

// Texture coordinate (1/16 texel) of a normal component: the viewing
// direction lands on the texture's centre.
std::int32_t NormalCoordinate(std::int32_t n) { return (n >> 5) + 2048; }

// A face's corners on the screen with their texture coordinates.
TexturedTriangle TexturedCorners(const std::int32_t* p0, const std::int32_t* p1, const std::int32_t* p2,
                                 const std::int32_t* u, const std::int32_t* v) {
  return {{{p0[0], p0[1], {u[0], v[0]}}, {p1[0], p1[1], {u[1], v[1]}}, {p2[0], p2[1], {u[2], v[2]}}}};
}

// The same corners with coordinates from their rotated vertex normals' x and y.
TexturedTriangle NormalMappedCorners(const std::int32_t* p0, const std::int32_t* p1, const std::int32_t* p2,
                                     const std::int32_t* n0, const std::int32_t* n1, const std::int32_t* n2) {
  return {{{p0[0], p0[1], {NormalCoordinate(n0[0]), NormalCoordinate(n0[1])}},
           {p1[0], p1[1], {NormalCoordinate(n1[0]), NormalCoordinate(n1[1])}},
           {p2[0], p2[1], {NormalCoordinate(n2[0]), NormalCoordinate(n2[1])}}}};
}

}  // namespace

void RenderMeshScene(FrameBuffer& frame, const Camera& camera, const std::int32_t* mesh, const MeshMaterial& material,
                     const std::uint16_t* skybox, MeshBackground background, MeshMode mode) {
  const MeshLayout layout = LayoutOfMesh(mesh);
  const Rotation rotation = BuildRotation(camera.aroundX, camera.aroundY, camera.aroundZ);
  const std::uint16_t* colours = material.colours;

  if (background == MeshBackground::kSkybox) {
    DrawSkybox(frame, rotation, skybox, SkyboxFill::kPerspective);
  } else if (background == MeshBackground::kBlack) {
    frame.fill(0);
  }

  TransformPoints(rotation, mesh + layout.positions, scratch.cameraVertices.data(), camera.x, camera.y, camera.z,
                  layout.vertexCount);
  if (mode == MeshMode::kGouraud || mode == MeshMode::kTexturedLit || mode == MeshMode::kNormalMapped) {
    TransformPoints(rotation, mesh + layout.vertexNormals, scratch.rotatedVertexNormals.data(), 0, 0, 0,
                    layout.vertexNormalCount);
  }
  if (mode == MeshMode::kFlat) {
    TransformPoints(rotation, mesh + layout.faceNormals, scratch.rotatedFaceNormals.data(), 0, 0, 0,
                    layout.faceNormalCount);
  }
  ProjectPoints(scratch.cameraVertices.data(), scratch.screenVertices.data(), layout.vertexCount, camera.centreX,
                camera.centreY, camera.depth);
  const std::int32_t* corners = mesh + layout.corners;
  const std::int32_t count = SelectVisibleFaces(mesh + layout.drawOrder, scratch.screenVertices.data(), corners,
                                                scratch.visibleFaces.data(), layout.faceCount);
  SortFacesByDepth(scratch.visibleFaces.data(), scratch.screenVertices.data(), corners, scratch.drawList.data(), count);

  const std::uint16_t* pages = material.pages;
  const std::int32_t* screen = scratch.screenVertices.data();
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t f = scratch.drawList[i];
    const std::int32_t i0 = corners[3 * f], i1 = corners[3 * f + 1], i2 = corners[3 * f + 2];
    const std::int32_t* p0 = screen + 3 * i0;
    const std::int32_t* p1 = screen + 3 * i1;
    const std::int32_t* p2 = screen + 3 * i2;
    const std::int32_t* u = mesh + layout.cornerU + 3 * f;
    const std::int32_t* v = mesh + layout.cornerV + 3 * f;
    switch (mode) {
      case MeshMode::kPagedTexture: {
        const std::int32_t attribute = mesh[layout.faceAttributes + f];
        if ((attribute & 15) != kTexturedKind) break;  // other kinds are not drawn
        const std::uint16_t* page = pages + kPageTexels * ((attribute >> 16) & 15);
        FillTextured(frame, page, TexturedCorners(p0, p1, p2, u, v));
        break;
      }
      case MeshMode::kFlat: {
        std::int32_t s = RawShade(scratch.rotatedFaceNormals[3 * f + 2]);
        if (s < 0) s = 0;
        FillFlat(frame, colours[s & 255], {{{p0[0], p0[1], {}}, {p1[0], p1[1], {}}, {p2[0], p2[1], {}}}});
        break;
      }
      case MeshMode::kGouraud:
        FillGouraud(frame, colours,
                    {{{p0[0], p0[1], {RawShade(scratch.rotatedVertexNormals[3 * i0 + 2]) & 255}},
                      {p1[0], p1[1], {RawShade(scratch.rotatedVertexNormals[3 * i1 + 2]) & 255}},
                      {p2[0], p2[1], {RawShade(scratch.rotatedVertexNormals[3 * i2 + 2]) & 255}}}});
        break;
      case MeshMode::kTextured:
        FillTextured(frame, pages, TexturedCorners(p0, p1, p2, u, v));
        break;
      case MeshMode::kTexturedLit: {
        const std::uint32_t page = static_cast<std::uint32_t>(mesh[layout.faceAttributes + f]) >> 16;
        const std::int32_t* n0 = scratch.rotatedVertexNormals.data() + 3 * i0;
        const std::int32_t* n1 = scratch.rotatedVertexNormals.data() + 3 * i1;
        const std::int32_t* n2 = scratch.rotatedVertexNormals.data() + 3 * i2;
        const TexturedTriangle texel = TexturedCorners(p0, p1, p2, u, v);
        const TexturedTriangle light = NormalMappedCorners(p0, p1, p2, n0, n1, n2);
        LitTriangle lit;
        for (int k = 0; k < 3; ++k) {
          lit[k] = {texel[k].x, texel[k].y, {texel[k].a[0], texel[k].a[1], light[k].a[0], light[k].a[1]}};
        }
        FillTexturedLit(frame, {material.indexPages + std::size_t{kPageTexels} * page, material.lightMap, colours},
                        lit);
        break;
      }
      case MeshMode::kNormalMapped: {
        const std::int32_t* n0 = scratch.rotatedVertexNormals.data() + 3 * i0;
        const std::int32_t* n1 = scratch.rotatedVertexNormals.data() + 3 * i1;
        const std::int32_t* n2 = scratch.rotatedVertexNormals.data() + 3 * i2;
        FillTextured(frame, pages, NormalMappedCorners(p0, p1, p2, n0, n1, n2));
        break;
      }
      default:
        return;  // unknown modes draw no face
    }
  }
}

}  // namespace vantrelle
