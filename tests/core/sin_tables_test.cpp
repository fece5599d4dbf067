#include <gtest/gtest.h>

#include "core/sin_tables.h"

namespace vantrelle {
namespace {

TEST(SinCosTables, EdgeValuesUseFloorOfTheShowsStep) {
  BuildSinCosTables();
  EXPECT_EQ(SinTable[0], 0);
  EXPECT_EQ(SinTable[1], 100);
  EXPECT_EQ(SinTable[1024], 65536);
  EXPECT_EQ(SinTable[2048], 0);
  EXPECT_EQ(SinTable[3072], -65536);
  EXPECT_EQ(SinTable[4095], -101);  // floor, not symmetric rounding
  EXPECT_EQ(CosTable[0], 65536);
  EXPECT_EQ(CosTable[1024], 0);
  EXPECT_EQ(CosTable[2048], -65536);
  EXPECT_EQ(CosTable[3072], -1);
  EXPECT_EQ(Sin(4096 + 1024), 65536);
  EXPECT_EQ(Cos(-1024), -1);
}

}  // namespace
}  // namespace vantrelle
