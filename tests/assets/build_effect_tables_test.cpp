#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "assets/build_effect_tables.h"
#include "assets/effect_tables.h"

namespace vantrelle {
namespace {

class BuildEffectTablesTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { BuildEffectTables(); }
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

}  // namespace
}  // namespace vantrelle
