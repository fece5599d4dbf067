#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "assets/build_effect_tables.h"
#include "assets/effect_tables.h"
#include "render3d/build_skybox_cube.h"

namespace vantrelle {
namespace {

class BuildEffectTablesTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    BuildEffectTables();
    BuildSkyboxCube();
  }
  static int Map(int row, int column) { return row * 800 + column; }
  static int Ray(int dy, int dx) { return dy * 256 + dx; }
};

TEST_F(BuildEffectTablesTest, SaturateAndBrightness) {
  EXPECT_EQ(SaturateTable[0], 0);
  EXPECT_EQ(SaturateTable[255], 255);
  EXPECT_EQ(SaturateTable[256], 255);
  EXPECT_EQ(SaturateTable[511], 255);
  EXPECT_EQ(BrightnessTable[0], 0);
  EXPECT_EQ(BrightnessTable[0xFFFF], 255);
  EXPECT_EQ(BrightnessTable[0xF800], 85);
  EXPECT_EQ(BrightnessTable[0x07E0], 85);
  EXPECT_EQ(BrightnessTable[0x001F], 85);
  EXPECT_EQ(BrightnessTable[0x8410], 131);
}

TEST_F(BuildEffectTablesTest, PolarAndInverseDistanceMaps) {
  EXPECT_EQ(PolarMap[Map(240, 400)], 0);
  EXPECT_EQ(PolarMap[Map(240, 401)], 0);
  EXPECT_EQ(PolarMap[Map(240, 399)], 127);
  EXPECT_EQ(PolarMap[Map(241, 400)], 63);
  EXPECT_EQ(PolarMap[Map(239, 400)], 193);
  EXPECT_EQ(PolarMap[Map(240, 404)], 0x0100);
  EXPECT_EQ(PolarMap[Map(0, 0)], 0x7497);
  EXPECT_EQ(InverseDistanceMap[Map(240, 400)], 255);
  for (int d = 1; d <= 4; ++d) {
    EXPECT_EQ(InverseDistanceMap[Map(240, 400 + d)], 255);
    EXPECT_EQ(InverseDistanceMap[Map(240 - d, 400)], 255);
  }
  EXPECT_EQ(InverseDistanceMap[Map(240, 405)], 204);
  EXPECT_EQ(InverseDistanceMap[Map(0, 0)], 2);
  EXPECT_EQ(InverseDistanceMap[Map(0, 799)], 2);
  EXPECT_EQ(InverseDistanceMap[Map(479, 0)], 2);
  EXPECT_EQ(InverseDistanceMap[Map(479, 799)], 2);
}

TEST_F(BuildEffectTablesTest, RaySources) {
  EXPECT_EQ(RaySourceX[Ray(0, 0)], 0);
  EXPECT_EQ(RaySourceX[Ray(0, 2)], 51);
  EXPECT_EQ(RaySourceY[Ray(0, 2)], 0);
  EXPECT_EQ(RaySourceX[Ray(1, 1)], 0);
  EXPECT_EQ(RaySourceY[Ray(1, 1)], 0);
  EXPECT_EQ(RaySourceX[Ray(3, 4)], 655);
  EXPECT_EQ(RaySourceY[Ray(3, 4)], 491);
  EXPECT_EQ(RaySourceX[Ray(255, 255)], 64954);
  EXPECT_EQ(RaySourceY[Ray(255, 255)], 64954);
  EXPECT_EQ(RaySourceX[Ray(100, 0)], 0);
  EXPECT_EQ(RaySourceY[Ray(100, 0)], 25139);
}

// Six 5 x 5 grids of vertices, vertex 25 side + 5 row + column, half a unit
// apart; every triangle lies on one side, shows page side + 1 (mod 6), takes
// u and v from its corners' grid places (the far edge kept at texel 255) and
// turns the same way as seen from the cube's centre.
TEST_F(BuildEffectTablesTest, SkyboxCubeTilesItsSixPages) {
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
