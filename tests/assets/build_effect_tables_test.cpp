#include <gtest/gtest.h>

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

TEST_F(BuildEffectTablesTest, SkyboxCube) {
  const SkyboxGeometry& cube = SkyboxMesh;
  EXPECT_EQ(cube.vertexCount, 150);
  EXPECT_EQ(cube.faceCount, 192);
  auto corner = [&](int face, int i) { return cube.corners[3 * face + i]; };
  EXPECT_EQ(corner(0, 0), 0);
  EXPECT_EQ(corner(0, 1), 1);
  EXPECT_EQ(corner(0, 2), 6);
  EXPECT_EQ(cube.cornerU[0], 0);
  EXPECT_EQ(cube.cornerU[1], 1024);
  EXPECT_EQ(cube.cornerU[2], 1024);
  EXPECT_EQ(cube.cornerV[0], 0);
  EXPECT_EQ(cube.cornerV[1], 0);
  EXPECT_EQ(cube.cornerV[2], 1024);
  EXPECT_EQ(cube.pages[0], 1);
  EXPECT_EQ(corner(1, 0), 6);
  EXPECT_EQ(corner(1, 1), 5);
  EXPECT_EQ(corner(1, 2), 0);
  EXPECT_EQ(corner(10, 0), 125);
  EXPECT_EQ(corner(10, 1), 126);
  EXPECT_EQ(corner(10, 2), 131);
  EXPECT_EQ(cube.pages[10], 0);
  EXPECT_EQ(cube.pages[4], 3);  // cube face 2, at z = -1, shows the planet page
  EXPECT_EQ(corner(191, 0), 149);
  EXPECT_EQ(corner(191, 1), 148);
  EXPECT_EQ(corner(191, 2), 143);
  EXPECT_EQ(cube.cornerU[3 * 191 + 0], 4080);
  EXPECT_EQ(cube.cornerU[3 * 191 + 1], 3072);
  EXPECT_EQ(cube.cornerU[3 * 191 + 2], 3072);
  EXPECT_EQ(cube.cornerV[3 * 191 + 0], 4080);
  EXPECT_EQ(cube.drawOrder[0], 0);
  EXPECT_EQ(cube.drawOrder[191], 191);
  EXPECT_EQ(cube.vertices[0], -65536);
  EXPECT_EQ(cube.vertices[1], 65536);
  EXPECT_EQ(cube.vertices[2], 65536);
  EXPECT_EQ(cube.vertices[3 * 149 + 0], 65536);
  EXPECT_EQ(cube.vertices[3 * 149 + 1], 65536);
  EXPECT_EQ(cube.vertices[3 * 149 + 2], 65536);
  EXPECT_EQ(cube.vertices[3 * 50 + 2], -65536);  // face 2 lies at z = -1
}

}  // namespace
}  // namespace vantrelle
