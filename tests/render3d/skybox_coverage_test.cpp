#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "core/frame_buffer.h"
#include "core/sin_tables.h"
#include "render3d/build_rotation.h"
#include "render3d/build_skybox_cube.h"
#include "render3d/draw_skybox.h"

namespace vantrelle {
namespace {

// The cube around the viewer fills the whole frame whichever way the camera
// turns, and each cube side shows its own page.
TEST(DrawSkybox, TheCubeFillsTheFrameAtAnyOrientation) {
  BuildSinCosTables();
  BuildSkyboxCube();
  std::vector<std::uint16_t> sky(6 * 65536);
  for (int p = 0; p < 6; ++p) std::fill_n(sky.begin() + 65536 * p, 65536, static_cast<std::uint16_t>(0x0100 * (p + 1)));
  constexpr std::uint16_t kUnset = 0xFFFF;
  FrameBuffer frame;
  const std::int32_t turns[][3] = {{0, 0, 0},          {1024, 0, 0},      {0, 512, 0},    {300, 700, 1100},
                                   {2048, 2048, 2048}, {4000, 1500, 333}, {512, 512, 512}};
  for (SkyboxFill fill : {SkyboxFill::kAffine, SkyboxFill::kPerspective}) {
    for (const auto& t : turns) {
      frame.fill(kUnset);
      DrawSkybox(frame, BuildRotation(t[0], t[1], t[2]), sky.data(), fill);
      int unset = 0;
      for (std::uint16_t p : frame) unset += p == kUnset;
      EXPECT_EQ(unset, 0) << t[0] << " " << t[1] << " " << t[2] << " fill " << static_cast<int>(fill);
    }
  }
  // Looking straight ahead (down +z) the frame centre shows cube face 0 at
  // z = +1, which carries page 1.
  DrawSkybox(frame, BuildRotation(0, 0, 0), sky.data(), SkyboxFill::kPerspective);
  EXPECT_EQ(frame[120 * 400 + 200], sky[65536]);
  // A half turn of b looks down -z, at cube face 2 with page 3.
  DrawSkybox(frame, BuildRotation(0, 2048, 0), sky.data(), SkyboxFill::kPerspective);
  EXPECT_EQ(frame[120 * 400 + 200], sky[3 * 65536]);
}

// Six 5 x 5 grids of vertices, vertex 25 side + 5 row + column, half a unit
// apart; every triangle lies on one side, shows page side + 1 (mod 6), takes
// u and v from its corners' grid places (the far edge kept at texel 255) and
// turns the same way as seen from the cube's centre.
TEST(BuildSkyboxCube, TilesItsSixPages) {
  BuildSkyboxCube();
  const SkyboxGeometry& cube = SkyboxMesh;
  ASSERT_EQ(cube.vertexCount, 150);
  ASSERT_EQ(cube.faceCount, 192);
  for (int v = 0; v < 150; ++v) {
    const int a = -65536 + v % 5 * 32768, b = 65536 - v / 5 % 5 * 32768;  // across and down the side
    const std::array<std::array<int, 3>, 6> sides = {
        {{a, b, 65536}, {65536, b, -a}, {-a, b, -65536}, {-65536, b, a}, {a, -65536, b}, {a, 65536, -b}}};
    for (int k = 0; k < 3; ++k) EXPECT_EQ(cube.vertices[3 * v + k], sides[v / 25][k]) << "vertex " << v;
  }
  std::array<int, 6> perPage{};
  std::int64_t firstTurn = 0;
  for (int f = 0; f < 192; ++f) {
    EXPECT_EQ(cube.drawOrder[f], f);
    ++perPage[cube.pages[f]];
    std::array<std::array<std::int64_t, 3>, 3> p{};
    for (int i = 0; i < 3; ++i) {
      const int v = cube.corners[3 * f + i];
      ASSERT_EQ(v / 25, cube.corners[3 * f] / 25) << "face " << f;
      EXPECT_EQ(cube.pages[f], (v / 25 + 1) % 6) << "face " << f;
      EXPECT_EQ(cube.cornerU[3 * f + i], std::min(v % 5 * 1024, 4080)) << "face " << f;
      EXPECT_EQ(cube.cornerV[3 * f + i], std::min(v / 5 % 5 * 1024, 4080)) << "face " << f;
      for (int k = 0; k < 3; ++k) p[i][k] = cube.vertices[3 * v + k] / 32768;
    }
    // (p1 - p0) x (p2 - p0), against the outward direction p0.
    const auto d = [&](int i, int k) { return p[i][k] - p[0][k]; };
    const std::int64_t turn = p[0][0] * (d(1, 1) * d(2, 2) - d(1, 2) * d(2, 1)) +
                              p[0][1] * (d(1, 2) * d(2, 0) - d(1, 0) * d(2, 2)) +
                              p[0][2] * (d(1, 0) * d(2, 1) - d(1, 1) * d(2, 0));
    if (f == 0) firstTurn = turn;
    EXPECT_TRUE(turn != 0 && (turn > 0) == (firstTurn > 0)) << "face " << f;
  }
  EXPECT_EQ(perPage, (std::array<int, 6>{32, 32, 32, 32, 32, 32}));
}

}  // namespace
}  // namespace vantrelle
