#include "render3d/tetrahedra.h"

#include "assets/mesh.h"
#include "core/demo_clock.h"
#include "core/sin_tables.h"
#include "core/wrap.h"
#include "render3d/build_rotation.h"
#include "render3d/transform_points.h"

namespace vantrelle {
namespace {

constexpr int kTetraVertices = 4 * kTetraCount;  // also faces and both normal counts

// Unit directions (16.16) from the centre to the four corners, and of the
// four faces; spun by the animators.
constexpr std::array<std::int32_t, 12> kTetraCornerDirs = {0,      65536,  0,      61792,  -21840, 0,
                                                           -30896, -21840, -53472, -30896, -21840, 53472};
constexpr std::array<std::int32_t, 12> kTetraFaceDirs = {30896, 21840, -53472, -61792, 21840,  0,
                                                         30896, 21840, 53472,  0,      -65536, 0};

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

// Writes the header, drawOrder and corners of a 256-tetrahedron record.
void WriteTetraTopology(std::int32_t* mesh) {
  mesh[kVertexCountWord] = kTetraVertices;
  mesh[kVertexNormalCountWord] = kTetraVertices;
  mesh[kFaceCountWord] = kTetraVertices;
  mesh[kFaceNormalCountWord] = kTetraVertices;
  mesh[kUvFaceCountWord] = 0;
  for (int w = kUvFaceCountWord + 1; w < kMeshHeaderWords; ++w) mesh[w] = 0;
  const MeshLayout layout = LayoutOfMesh(mesh);
  for (std::int32_t f = 0; f < layout.faceCount; ++f) mesh[layout.drawOrder + f] = f;
  for (std::int32_t k = 0; k < kTetraCount; ++k) {
    for (int i = 0; i < 12; ++i) mesh[layout.corners + 12 * k + i] = 4 * k + kTetraFaceCorners[i];
  }
}

// Places tetrahedron k at rest around centre (cx, cy, cz) (16.16), corners
// 1/16 unit out, with the resting normals.
void PlaceRestingTetra(std::int32_t* mesh, std::int32_t k, std::int32_t cx, std::int32_t cy, std::int32_t cz) {
  const MeshLayout layout = LayoutOfMesh(mesh);
  const std::int32_t centre[3] = {cx, cy, cz};
  for (int i = 0; i < 12; ++i) {
    mesh[layout.positions + 12 * k + i] = WrapAdd(centre[i % 3], kRestingOffsets[i]);
    mesh[layout.vertexNormals + 12 * k + i] = kRestingVertexNormals[i];
    mesh[layout.faceNormals + 12 * k + i] = kRestingFaceNormals[i];
  }
}

// Spins tetrahedron k by BuildRotation(a, a, a) about centre (cx, cy, cz):
// corners at the rotated corner directions >> shift (4: 1/16 unit, 3: 1/8),
// vertex normals the rotated corner directions, face normals the negated
// rotated face directions in the order 3, 1, 2, 0.
void SpinTetra(std::int32_t* mesh, std::int32_t k, std::int32_t cx, std::int32_t cy, std::int32_t cz, std::int32_t a,
               int shift) {
  const MeshLayout layout = LayoutOfMesh(mesh);
  std::int32_t d[12];
  std::int32_t e[12];
  const Rotation spin = BuildRotation(a, a, a);
  TransformPoints(spin, kTetraCornerDirs.data(), d, 0, 0, 0, 4);
  TransformPoints(spin, kTetraFaceDirs.data(), e, 0, 0, 0, 4);
  const std::int32_t centre[3] = {cx, cy, cz};
  for (int i = 0; i < 12; ++i) {
    mesh[layout.positions + 12 * k + i] = WrapAdd(centre[i % 3], d[i] >> shift);
    mesh[layout.vertexNormals + 12 * k + i] = d[i];
  }
  // Face j faces the way corner j points: face normal j = -(face direction).
  constexpr int kFaceDirOfNormal[4] = {3, 1, 2, 0};
  for (int j = 0; j < 4; ++j) {
    for (int axis = 0; axis < 3; ++axis) {
      mesh[layout.faceNormals + 12 * k + 3 * j + axis] = WrapNeg(e[3 * kFaceDirOfNormal[j] + axis]);
    }
  }
}

}  // namespace

void BuildTetraField(std::int32_t* mesh) {
  WriteTetraTopology(mesh);
  for (std::int32_t k = 0; k < kTetraCount; ++k) {
    PlaceRestingTetra(mesh, k, Sin(149 * k) >> 1, Cos(197 * k) >> 1, WrapShl(Sin(512 * k), 1));
  }
}

void BuildTetraTunnel(std::int32_t* mesh) {
  WriteTetraTopology(mesh);
  constexpr std::int32_t kRingOffsets[4] = {0, 1024, 2048, -1024};  // quarter turns apart
  for (std::int32_t g = 0; g < kTetraCount / 4; ++g) {
    const std::int32_t c = 32 * g;
    const std::int32_t z = 65536 + 16384 * g;
    for (std::int32_t n = 0; n < 4; ++n) {
      const std::int32_t angle = c + kRingOffsets[n];
      PlaceRestingTetra(mesh, 4 * g + n, Sin(angle), Cos(angle), z);
    }
  }
}

void AnimateTetraField(std::int32_t* mesh, std::int32_t t) {
  for (std::int32_t k = 0; k < kTetraCount; ++k) {
    // h: phase along the run, 0..131071; m rises from 0 toward 1 with it.
    const std::int32_t h = WrapAdd(WrapMul(68, t), Sin(346 * k)) & 0x1FFFF;
    const std::int32_t m = Sin(h >> 7);
    const std::int32_t cx = WrapMul(m, Sin(WrapAdd(t, 149 * k)) >> 1) >> 16;
    const std::int32_t cy = WrapMul(m, Cos(WrapAdd(t, 197 * k)) >> 1) >> 16;
    const std::int32_t cz = h - 65536;
    SpinTetra(mesh, k, cx, cy, cz, WrapAdd(t, 131 * k) & 4095, 4);
  }
}

void AnimateTetraSwarm(std::int32_t* mesh, std::int32_t t) {
  // The drift is paced in beats: 3/16 unit of y and 4 units of z per beat
  // (each as a doubled or 64-fold quotient, truncated as the show has it).
  const std::int32_t driftY = WrapMul(2, WrapMul(12288, t) / kBeatMs);
  const std::int32_t driftZ = WrapMul(64, WrapMul(4096, t) / kBeatMs);
  for (std::int32_t k = 0; k < kTetraCount; ++k) {
    const std::int32_t h = WrapAdd(WrapMul(68, t), Sin(346 * k)) & 0x1FFFF;
    const std::int32_t m = Sin(h >> 7);
    const std::int32_t cx = WrapAdd(WrapMul(m, Sin(WrapAdd(t, 149 * k)) >> 1) >> 15, 524288);
    const std::int32_t cy = WrapAdd(WrapSub(786432, driftY), WrapMul(m, Cos(WrapAdd(t, 197 * k)) >> 1) >> 15);
    const std::int32_t cz = WrapSub(WrapAdd(2 * h, 4063232), driftZ);
    SpinTetra(mesh, k, cx, cy, cz, WrapAdd(t, 131 * k) & 4095, 3);
  }
}

void AnimateTetraTunnel(std::int32_t* mesh, std::int32_t t) {
  for (std::int32_t l = 0; l < kTetraCount / 4; ++l) {
    const std::int32_t cz = (WrapSub(16384 * l, WrapMul(153, t)) & 0xFFFFF) - 131072;
    for (std::int32_t n = 0; n < 4; ++n) {
      const std::int32_t angle = WrapAdd(t, 32 * l + 512 * (l & 1) + 1024 * n);
      const std::int32_t a = WrapAdd(t, 924 * l + 231 * n) & 4095;
      SpinTetra(mesh, 4 * l + n, Sin(angle), Cos(angle), cz, a, 3);
    }
  }
}

}  // namespace vantrelle
