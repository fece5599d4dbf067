#include "render3d/render_mesh_scene.h"

#include <array>

#include "assets/mesh.h"
#include "core/wrap.h"
#include "render3d/build_rotation.h"
#include "render3d/draw_skybox.h"
#include "render3d/fillers.h"
#include "render3d/project_points.h"
#include "render3d/select_visible_faces.h"
#include "render3d/sort_faces_by_depth.h"
#include "render3d/transform_points.h"

namespace vantrelle {
namespace {

// Working arrays of one call, rewritten by every call (points are flat x, y, z
// triples). Rotated normals past a mesh's own count keep what an earlier call
// left there.
std::array<std::int32_t, kMaxMeshVertices * 3> CameraVertices{};  // 16.16
std::array<std::int32_t, kMaxMeshVertices * 3> ScreenVertices{};  // X, Y x16; Z 16.16
std::array<std::int32_t, kMaxMeshVertices> VisibleFaces{};
std::array<std::int32_t, kMaxMeshVertices> DrawList{};  // farthest first
// One rotated normal per vertex: corners index it by vertex number.
std::array<std::int32_t, kMaxMeshVertices * 3> RotatedVertexNormals{};
std::array<std::int32_t, kMaxMeshVertices * 3> RotatedFaceNormals{};

constexpr std::int32_t kPageTexels = 65536;  // one 256 x 256 page
constexpr std::int32_t kTexturedKind = 3;    // the only attribute kind mode 0 draws

enum RenderMode : std::int32_t {
  kPagedTexture = 0,
  kFlatShaded = 1,
  kGouraud = 2,
  kTextured = 3,
  kTexturedLit = 4,
  kEnvironment = 5,
};

// Shade from a camera-space normal's z (16.16): 255 facing the viewer, 128
// edge-on, 1 facing away.
std::int32_t RawShade(std::int32_t nz) { return WrapSub(8388608, WrapMul(127, nz)) >> 16; }

// Environment coordinate (1/16 texel) of a normal component: the viewing
// direction lands on the texture's centre.
std::int32_t EnvCoordinate(std::int32_t n) { return (n >> 5) + 2048; }

}  // namespace

void RenderMeshScene(FrameBuffer& frame, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t /*reserved1*/,
                     std::int32_t /*reserved2*/, std::int32_t /*reserved3*/, std::int32_t tx, std::int32_t ty,
                     std::int32_t tz, std::int32_t cx, std::int32_t cy, std::int32_t cameraDepth,
                     const std::int32_t* mesh, const void* texture, const std::uint16_t* colours,
                     const std::uint8_t* lightMap, const std::uint16_t* skybox, std::int32_t background,
                     std::int32_t mode) {
  const MeshLayout l = LayoutOfMesh(mesh);
  const Rotation rotation = BuildRotation(a, b, c);

  if (background == 1) {
    DrawSkybox(frame, rotation, skybox, 1);
  } else if (background == 0) {
    frame.fill(0);
  }

  TransformPoints(rotation, mesh + l.positions, CameraVertices.data(), tx, ty, tz, l.vertexCount);
  if (mode == kGouraud || mode == kTexturedLit || mode == kEnvironment) {
    TransformPoints(rotation, mesh + l.vertexNormals, RotatedVertexNormals.data(), 0, 0, 0, l.vertexNormalCount);
  }
  if (mode == kFlatShaded) {
    TransformPoints(rotation, mesh + l.faceNormals, RotatedFaceNormals.data(), 0, 0, 0, l.faceNormalCount);
  }
  ProjectPoints(CameraVertices.data(), ScreenVertices.data(), l.vertexCount, cx, cy, cameraDepth);
  const std::int32_t* corners = mesh + l.corners;
  const std::int32_t count =
      SelectVisibleFaces(mesh + l.drawOrder, ScreenVertices.data(), corners, VisibleFaces.data(), l.faceCount);
  SortFacesByDepth(VisibleFaces.data(), ScreenVertices.data(), corners, DrawList.data(), count);

  const auto* pages = static_cast<const std::uint16_t*>(texture);
  const auto* bytePages = static_cast<const std::uint8_t*>(texture);
  const std::int32_t* screen = ScreenVertices.data();
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t f = DrawList[i];
    const std::int32_t i0 = corners[3 * f], i1 = corners[3 * f + 1], i2 = corners[3 * f + 2];
    const std::int32_t* p0 = screen + 3 * i0;
    const std::int32_t* p1 = screen + 3 * i1;
    const std::int32_t* p2 = screen + 3 * i2;
    const std::int32_t* u = mesh + l.cornerU + 3 * f;
    const std::int32_t* v = mesh + l.cornerV + 3 * f;
    switch (mode) {
      case kPagedTexture: {
        const std::int32_t attribute = mesh[l.faceAttributes + f];
        if ((attribute & 15) != kTexturedKind) break;  // other kinds are not drawn
        const std::uint16_t* page = pages + kPageTexels * ((attribute >> 16) & 15);
        FillTextured(frame, page, p0[0], p0[1], p1[0], p1[1], p2[0], p2[1], u[0], v[0], u[1], v[1], u[2], v[2]);
        break;
      }
      case kFlatShaded: {
        std::int32_t s = RawShade(RotatedFaceNormals[3 * f + 2]);
        if (s < 0) s = 0;
        FillFlat(frame, p0[0], p0[1], p1[0], p1[1], p2[0], p2[1], colours[s & 255]);
        break;
      }
      case kGouraud:
        FillGouraud(frame, colours, p0[0], p0[1], p1[0], p1[1], p2[0], p2[1],
                    RawShade(RotatedVertexNormals[3 * i0 + 2]) & 255, RawShade(RotatedVertexNormals[3 * i1 + 2]) & 255,
                    RawShade(RotatedVertexNormals[3 * i2 + 2]) & 255);
        break;
      case kTextured:
        FillTextured(frame, pages, p0[0], p0[1], p1[0], p1[1], p2[0], p2[1], u[0], v[0], u[1], v[1], u[2], v[2]);
        break;
      case kTexturedLit: {
        const std::uint32_t page = static_cast<std::uint32_t>(mesh[l.faceAttributes + f]) >> 16;
        const std::int32_t* n0 = RotatedVertexNormals.data() + 3 * i0;
        const std::int32_t* n1 = RotatedVertexNormals.data() + 3 * i1;
        const std::int32_t* n2 = RotatedVertexNormals.data() + 3 * i2;
        FillTexturedLit(frame, bytePages + std::size_t{kPageTexels} * page, lightMap, colours, p0[0], p0[1], p1[0],
                        p1[1], p2[0], p2[1], u[0], v[0], u[1], v[1], u[2], v[2], EnvCoordinate(n0[0]),
                        EnvCoordinate(n0[1]), EnvCoordinate(n1[0]), EnvCoordinate(n1[1]), EnvCoordinate(n2[0]),
                        EnvCoordinate(n2[1]));
        break;
      }
      case kEnvironment: {
        const std::int32_t* n0 = RotatedVertexNormals.data() + 3 * i0;
        const std::int32_t* n1 = RotatedVertexNormals.data() + 3 * i1;
        const std::int32_t* n2 = RotatedVertexNormals.data() + 3 * i2;
        FillTextured(frame, pages, p0[0], p0[1], p1[0], p1[1], p2[0], p2[1], EnvCoordinate(n0[0]), EnvCoordinate(n0[1]),
                     EnvCoordinate(n1[0]), EnvCoordinate(n1[1]), EnvCoordinate(n2[0]), EnvCoordinate(n2[1]));
        break;
      }
      default:
        return;  // unknown modes draw no face
    }
  }
}

}  // namespace vantrelle
