#include "render3d/build_skybox_cube.h"

#include <algorithm>
#include <cstdint>

namespace vantrelle {
namespace {

constexpr std::int32_t kMaxCoordinate = 4080;  // last texel of a skybox page, 1/16 texel

}  // namespace

SkyboxGeometry startup::SkyboxMesh{};
const SkyboxGeometry& SkyboxMesh = startup::SkyboxMesh;

void BuildSkyboxCube() {
  constexpr int kGrid = 5;  // vertices per side of a cube face
  constexpr int kCells = 4;
  constexpr std::int32_t kOne = 65536;  // 16.16
  constexpr std::int32_t kHalf = 32768;
  constexpr std::int32_t kCellTexels = 1024;  // 64 texels in 1/16 texel
  SkyboxGeometry& cube = startup::SkyboxMesh;
  for (int f = 0; f < 6; ++f) {
    for (int r = 0; r < kGrid; ++r) {
      for (int c = 0; c < kGrid; ++c) {
        const std::int32_t a = -kOne + kHalf * c;
        const std::int32_t b = kOne - kHalf * r;
        const std::int32_t e = kOne - kHalf * c;
        const std::int32_t g = -kOne + kHalf * r;
        std::int32_t v[3] = {};
        switch (f) {
          case 0:
            v[0] = a;
            v[1] = b;
            v[2] = kOne;
            break;
          case 1:
            v[0] = kOne;
            v[1] = b;
            v[2] = e;
            break;
          case 2:
            v[0] = e;
            v[1] = b;
            v[2] = -kOne;
            break;
          case 3:
            v[0] = -kOne;
            v[1] = b;
            v[2] = a;
            break;
          case 4:
            v[0] = a;
            v[1] = -kOne;
            v[2] = b;
            break;
          default:
            v[0] = a;
            v[1] = kOne;
            v[2] = g;
            break;
        }
        const int index = kGrid * kGrid * f + kGrid * r + c;
        for (int axis = 0; axis < 3; ++axis) {
          cube.vertices[3 * index + axis] = v[axis];
        }
      }
    }
  }
  int face = 0;
  auto addFace = [&](std::int32_t page, const std::int32_t(&corner)[3], const std::int32_t(&u)[3],
                     const std::int32_t(&v)[3]) {
    for (int i = 0; i < 3; ++i) {
      cube.corners[3 * face + i] = corner[i];
      cube.cornerU[3 * face + i] = std::min(u[i], kMaxCoordinate);
      cube.cornerV[3 * face + i] = std::min(v[i], kMaxCoordinate);
    }
    cube.pages[face] = page;
    cube.drawOrder[face] = face;
    ++face;
  };
  for (int r = 0; r < kCells; ++r) {
    for (int c = 0; c < kCells; ++c) {
      for (int f = 0; f < 6; ++f) {
        const std::int32_t p = kGrid * kGrid * f + kGrid * r + c;
        const std::int32_t uL = kCellTexels * c;
        const std::int32_t uR = kCellTexels * (c + 1);
        const std::int32_t vT = kCellTexels * r;
        const std::int32_t vB = kCellTexels * (r + 1);
        // Cube face f shows page f + 1, so the planet page (3) lands on the face at z = -1.
        const std::int32_t page = (f + 1) % 6;
        addFace(page, {p, p + 1, p + 6}, {uL, uR, uR}, {vT, vT, vB});
        addFace(page, {p + 6, p + 5, p}, {uR, uL, uL}, {vB, vB, vT});
      }
    }
  }
  cube.faceCount = SkyboxGeometry::kFaces;
  cube.vertexCount = SkyboxGeometry::kVertices;
}

}  // namespace vantrelle
