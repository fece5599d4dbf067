#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "assets/mesh.h"
#include "core/fix_mul.h"
#include "core/sin_tables.h"
#include "render3d/animate_tetra_field.h"
#include "render3d/animate_tetra_swarm.h"
#include "render3d/animate_tetra_tunnel.h"
#include "render3d/build_procedural_meshes.h"
#include "render3d/build_rotation.h"
#include "render3d/build_sphere.h"
#include "render3d/build_tetra_field.h"
#include "render3d/build_tetra_tunnel.h"
#include "render3d/procedural_meshes.h"
#include "render3d/project_points.h"
#include "render3d/select_visible_faces.h"
#include "render3d/transform_points.h"

namespace vantrelle {
namespace {

using Triple = std::array<std::int32_t, 3>;

Triple At(const std::int32_t* mesh, std::int32_t offset, std::int32_t index) {
  const std::int32_t* p = mesh + offset + 3 * index;
  return {p[0], p[1], p[2]};
}

class ProceduralMeshes : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildSinCosTables();
    BuildProceduralMeshes();
  }
};

TEST_F(ProceduralMeshes, TetraRecordsHaveTheFixedLayout) {
  for (const std::int32_t* mesh : {TetraField.data(), TetraTunnel.data()}) {
    const MeshLayout l = LayoutOfMesh(mesh);
    EXPECT_EQ(l.vertexCount, 1024);
    EXPECT_EQ(l.vertexNormalCount, 1024);
    EXPECT_EQ(l.faceCount, 1024);
    EXPECT_EQ(l.faceNormalCount, 1024);
    EXPECT_EQ(l.uvFaceCount, 0);
    EXPECT_EQ(l.faceNormals, 8 + 1024 + 3 * 3072);
    EXPECT_EQ(mesh[l.drawOrder + 777], 777);
    // Tetrahedron 5 (n = 20): faces (n, n+1, n+2), (n, n+2, n+3), (n, n+3, n+1), (n+3, n+2, n+1).
    EXPECT_EQ(At(mesh, l.corners, 20), (Triple{20, 21, 22}));
    EXPECT_EQ(At(mesh, l.corners, 21), (Triple{20, 22, 23}));
    EXPECT_EQ(At(mesh, l.corners, 22), (Triple{20, 23, 21}));
    EXPECT_EQ(At(mesh, l.corners, 23), (Triple{23, 22, 21}));
  }
  const std::int32_t* field = TetraField.data();
  const MeshLayout l = LayoutOfMesh(field);
  // Tetrahedron 1: centre (Sin[149] >> 1, Cos[197] >> 1, Sin[512] << 1).
  const std::int32_t cx = Sin(149) >> 1, cy = Cos(197) >> 1, cz = Sin(512) * 2;
  EXPECT_EQ(At(field, l.positions, 4), (Triple{cx, cy + 4096, cz}));
  EXPECT_EQ(At(field, l.positions, 7), (Triple{cx - 1931, cy - 1365, cz + 3342}));
  EXPECT_EQ(At(field, l.vertexNormals, 5), (Triple{61792, -21845, 0}));
  EXPECT_EQ(At(field, l.faceNormals, 4), (Triple{30896, 21845, -53472}));

  // Tunnel ring 1, fourth tetrahedron: angle 32 - 1024, depth 1.25 units.
  const std::int32_t* tunnel = TetraTunnel.data();
  EXPECT_EQ(At(tunnel, l.positions, 4 * 7), (Triple{Sin(32 - 1024), Cos(32 - 1024) + 4096, 81920}));
}

TEST_F(ProceduralMeshes, AnimateTetraFieldAtTimeZeroAndAtTheWrap) {
  std::int32_t* field = TetraField.data();
  const MeshLayout l = LayoutOfMesh(field);
  AnimateTetraField(field, 0);
  // Tetrahedron 0: h = 0, m = 0, all angles 0: corners 1/16 unit from (0, 0, -1).
  EXPECT_EQ(At(field, l.positions, 0), (Triple{0, 4096, -65536}));
  EXPECT_EQ(At(field, l.positions, 1), (Triple{3862, -1365, -65536}));
  EXPECT_EQ(At(field, l.positions, 2), (Triple{-1931, -1365, -65536 - 3342}));
  EXPECT_EQ(At(field, l.faceNormals, 0), (Triple{0, 65536, 0}));
  EXPECT_EQ(At(field, l.faceNormals, 1), (Triple{61792, -21840, 0}));
  EXPECT_EQ(At(field, l.faceNormals, 2), (Triple{-30896, -21840, -53472}));
  EXPECT_EQ(At(field, l.faceNormals, 3), (Triple{-30896, -21840, 53472}));
  EXPECT_EQ(At(field, l.vertexNormals, 3), (Triple{-30896, -21840, 53472}));
  // Header, order and corners stay as built.
  EXPECT_EQ(field[0], 1024);
  EXPECT_EQ(At(field, l.corners, 3), (Triple{3, 2, 1}));

  // Tetrahedron 0's phase is 68 t AND 0x1FFFF: at t = 1927 it stands at
  // h = 131036, far out at z near +1; at t = 1928 h wraps to 32 and it is
  // back at z = -1 on the axis (m = Sin[0] = 0).
  AnimateTetraField(field, 1927);
  const Triple before = At(field, l.vertexNormals, 0);
  const Triple top = At(field, l.positions, 0);
  EXPECT_EQ(top[2] - (before[2] >> 4), 131036 - 65536);
  AnimateTetraField(field, 1928);
  const Triple n = At(field, l.vertexNormals, 0);
  EXPECT_EQ(At(field, l.positions, 0), (Triple{n[0] >> 4, n[1] >> 4, 32 - 65536 + (n[2] >> 4)}));
}

TEST_F(ProceduralMeshes, SwarmAndTunnelPlacement) {
  std::int32_t* mesh = TetraField.data();
  const MeshLayout l = LayoutOfMesh(mesh);
  AnimateTetraSwarm(mesh, 0);
  // Tetrahedron 0 at t = 0: m = 0, so centre (8, 12, 62) units; corners 1/8 unit out.
  EXPECT_EQ(At(mesh, l.positions, 0), (Triple{524288, 786432 + 8192, 4063232}));
  AnimateTetraSwarm(mesh, 462);
  // One beat on: y falls by 2 * 12288, z by 64 * 4096, and h = 68 * 462.
  const Triple c = At(mesh, l.positions, 1);
  const Triple d = At(mesh, l.vertexNormals, 1);
  const std::int32_t m = Sin((68 * 462) >> 7);
  EXPECT_EQ(c[0] - (d[0] >> 3), ((m * (Sin(462) >> 1)) >> 15) + 524288);
  EXPECT_EQ(c[1] - (d[1] >> 3), 786432 - 24576 + ((m * (Cos(462) >> 1)) >> 15));
  EXPECT_EQ(c[2] - (d[2] >> 3), 2 * 68 * 462 + 4063232 - 64 * 4096);

  std::int32_t* tunnel = TetraTunnel.data();
  AnimateTetraTunnel(tunnel, 0);
  // Ring 0, tetrahedron 0: angle 0 and spin 0 -> centre (0, 1, -2).
  EXPECT_EQ(At(tunnel, l.positions, 0), (Triple{0, 65536 + 8192, -131072}));
  // Ring 1 is 1/8 turn ahead (angle 32 + 512) and a quarter unit further.
  const Triple r1 = At(tunnel, l.positions, 16);
  const Triple n1 = At(tunnel, l.vertexNormals, 16);
  EXPECT_EQ(r1, (Triple{Sin(544) + (n1[0] >> 3), Cos(544) + (n1[1] >> 3), -131072 + 16384 + (n1[2] >> 3)}));
  // Ring 0 re-enters at the far end once it passes the viewer: at t = 1,
  // cz = (-153 AND 0xFFFFF) - 131072.
  AnimateTetraTunnel(tunnel, 1);
  const Triple r0 = At(tunnel, l.positions, 0);
  const Triple n0 = At(tunnel, l.vertexNormals, 0);
  EXPECT_EQ(r0[2] - (n0[2] >> 3), 0x100000 - 153 - 131072);
}

TEST_F(ProceduralMeshes, SphereHasSixteenPolesAndFlatPoleFaces) {
  const std::int32_t* sphere = SphereMesh.data();
  const MeshLayout l = LayoutOfMesh(sphere);
  EXPECT_EQ(l.vertexCount, 256);
  EXPECT_EQ(l.vertexNormalCount, 0);
  EXPECT_EQ(l.faceCount, 480);
  EXPECT_EQ(l.faceNormalCount, 0);
  EXPECT_EQ(l.uvFaceCount, 480);
  EXPECT_EQ(sphere[l.drawOrder + 479], 479);
  for (int c = 0; c < 16; ++c) EXPECT_EQ(At(sphere, l.positions, c), (Triple{0, 65536, 0}));
  EXPECT_EQ(At(sphere, l.positions, 16 * 15 + 4), (Triple{FixMul(Sin(1024), Sin(1935)), Cos(1935), 0}));

  // Band 0, column 15: faces 30 and 31 wrap to column 0; u reaches 4096.
  EXPECT_EQ(At(sphere, l.corners, 30), (Triple{15, 31, 16}));
  EXPECT_EQ(At(sphere, l.corners, 31), (Triple{16, 0, 15}));
  EXPECT_EQ(At(sphere, l.cornerU, 30), (Triple{3840, 3840, 4096}));
  EXPECT_EQ(At(sphere, l.cornerV, 30), (Triple{0, 256, 256}));
  EXPECT_EQ(At(sphere, l.cornerU, 31), (Triple{4096, 4096, 3840}));
  EXPECT_EQ(At(sphere, l.cornerV, 31), (Triple{256, 0, 0}));

  // The second face of every band-0 quad has two pole corners: zero area,
  // which passes the back-face test. Seen from 3 units away with the pole
  // tipped to the far side, all sixteen still survive face selection.
  std::vector<std::int32_t> camera(3 * 256), screen(3 * 256), visible(480);
  TransformPoints(BuildRotation(-512, 0, 0), sphere + l.positions, camera.data(), 0, 0, 0, 256);
  ProjectPoints(camera.data(), screen.data(), 256, 3200, 1920, -196608);
  const std::int32_t count =
      SelectVisibleFaces(sphere + l.drawOrder, screen.data(), sphere + l.corners, visible.data(), 480);
  visible.resize(count);
  for (std::int32_t c = 0; c < 16; ++c) {
    const Triple f = At(sphere, l.corners, 2 * c + 1);
    EXPECT_EQ(At(screen.data(), 0, f[1]), At(screen.data(), 0, f[2]));
    EXPECT_NE(std::find(visible.begin(), visible.end(), 2 * c + 1), visible.end()) << c;
  }
}

}  // namespace
}  // namespace vantrelle
