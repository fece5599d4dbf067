#include "render3d/tetrahedra.h"

#include "assets/mesh.h"
#include "core/wrap.h"
#include "render3d/build_rotation.h"
#include "render3d/transform_points.h"

namespace vantrelle {

const std::array<std::int32_t, 12> TetraCornerDirs = {0,      65536,  0,      61792,  -21840, 0,
                                                      -30896, -21840, -53472, -30896, -21840, 53472};
const std::array<std::int32_t, 12> TetraFaceDirs = {30896, 21840, -53472, -61792, 21840,  0,
                                                    30896, 21840, 53472,  0,      -65536, 0};

namespace {

// Quirk: the resting tetrahedron is written with its own rounding of the
// corner offsets and normals (-21845, not the -21840 of the templates), kept
// as the show has it; the animators replace all of it before the first frame.
constexpr std::array<std::int32_t, 12> kRestingOffsets = {0,     4096,  0,     3862,  -1365, 0,
                                                          -1931, -1365, -3342, -1931, -1365, 3342};
constexpr std::array<std::int32_t, 12> kRestingVertexNormals = {0,      65536,  0,      61792,  -21845, 0,
                                                                -30896, -21845, -53472, -30896, -21845, 53472};
constexpr std::array<std::int32_t, 12> kRestingFaceNormals = {30896, 21845, -53472, -61792, 21845,  0,
                                                              30896, 21845, 53472,  0,      -65536, 0};

// Corners of the four faces of one tetrahedron, relative to its first vertex.
constexpr std::array<std::int32_t, 12> kTetraFaceCorners = {0, 1, 2, 0, 2, 3, 0, 3, 1, 3, 2, 1};

}  // namespace

void WriteTetraTopology(std::int32_t* mesh) {
  mesh[kVertexCountWord] = kTetraVertices;
  mesh[kVertexNormalCountWord] = kTetraVertices;
  mesh[kFaceCountWord] = kTetraVertices;
  mesh[kFaceNormalCountWord] = kTetraVertices;
  mesh[kUvFaceCountWord] = 0;
  for (int w = kUvFaceCountWord + 1; w < kMeshHeaderWords; ++w) mesh[w] = 0;
  const MeshLayout l = LayoutOfMesh(mesh);
  for (std::int32_t f = 0; f < l.faceCount; ++f) mesh[l.drawOrder + f] = f;
  for (std::int32_t k = 0; k < kTetraCount; ++k) {
    for (int i = 0; i < 12; ++i) mesh[l.corners + 12 * k + i] = 4 * k + kTetraFaceCorners[i];
  }
}

void PlaceRestingTetra(std::int32_t* mesh, std::int32_t k, std::int32_t cx, std::int32_t cy, std::int32_t cz) {
  const MeshLayout l = LayoutOfMesh(mesh);
  const std::int32_t centre[3] = {cx, cy, cz};
  for (int i = 0; i < 12; ++i) {
    mesh[l.positions + 12 * k + i] = WrapAdd(centre[i % 3], kRestingOffsets[i]);
    mesh[l.vertexNormals + 12 * k + i] = kRestingVertexNormals[i];
    mesh[l.faceNormals + 12 * k + i] = kRestingFaceNormals[i];
  }
}

void SpinTetra(std::int32_t* mesh, std::int32_t k, std::int32_t cx, std::int32_t cy, std::int32_t cz, std::int32_t a,
               int shift) {
  const MeshLayout l = LayoutOfMesh(mesh);
  std::int32_t d[12];
  std::int32_t e[12];
  const Rotation spin = BuildRotation(a, a, a);
  TransformPoints(spin, TetraCornerDirs.data(), d, 0, 0, 0, 4);
  TransformPoints(spin, TetraFaceDirs.data(), e, 0, 0, 0, 4);
  const std::int32_t centre[3] = {cx, cy, cz};
  for (int i = 0; i < 12; ++i) {
    mesh[l.positions + 12 * k + i] = WrapAdd(centre[i % 3], d[i] >> shift);
    mesh[l.vertexNormals + 12 * k + i] = d[i];
  }
  // Face j faces the way corner j points: face normal j = -(face direction).
  constexpr int kFaceDirOfNormal[4] = {3, 1, 2, 0};
  for (int j = 0; j < 4; ++j) {
    for (int axis = 0; axis < 3; ++axis) {
      mesh[l.faceNormals + 12 * k + 3 * j + axis] = WrapNeg(e[3 * kFaceDirOfNormal[j] + axis]);
    }
  }
}

}  // namespace vantrelle
