#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <utility>

#include "assets/build_effect_tables.h"
#include "assets/effect_tables.h"

namespace vantrelle {
namespace {

int Map(int row, int column) { return row * 800 + column; }
int Ray(int dy, int dx) { return dy * 256 + dx; }

template <typename Table>
void ExpectEntries(const char* name, const Table& table, std::initializer_list<std::pair<int, int>> entries) {
  for (auto [at, value] : entries) EXPECT_EQ(table[at], value) << name << "[" << at << "]";
}

TEST(BuildEffectTables, KnownEntries) {
  BuildEffectTables();
  ExpectEntries("SaturateTable", SaturateTable, {{0, 0}, {255, 255}, {256, 255}, {511, 255}});
  ExpectEntries("BrightnessTable", BrightnessTable,
                {{0, 0}, {0xFFFF, 255}, {0xF800, 85}, {0x07E0, 85}, {0x001F, 85}, {0x8410, 131}});
  ExpectEntries("PolarMap", PolarMap,
                {{Map(240, 400), 0},
                 {Map(240, 401), 0},
                 {Map(240, 399), 127},
                 {Map(241, 400), 63},
                 {Map(239, 400), 193},
                 {Map(240, 404), 0x0100},
                 {Map(0, 0), 0x7497}});
  ExpectEntries("InverseDistanceMap", InverseDistanceMap,
                {{Map(240, 400), 255},
                 {Map(240, 405), 204},
                 {Map(0, 0), 2},
                 {Map(0, 799), 2},
                 {Map(479, 0), 2},
                 {Map(479, 799), 2}});
  for (int d = 1; d <= 4; ++d) {
    EXPECT_EQ(InverseDistanceMap[Map(240, 400 + d)], 255);
    EXPECT_EQ(InverseDistanceMap[Map(240 - d, 400)], 255);
  }
  ExpectEntries(
      "RaySourceX", RaySourceX,
      {{Ray(0, 0), 0}, {Ray(0, 2), 51}, {Ray(1, 1), 0}, {Ray(3, 4), 655}, {Ray(255, 255), 64954}, {Ray(100, 0), 0}});
  ExpectEntries("RaySourceY", RaySourceY,
                {{Ray(0, 2), 0}, {Ray(1, 1), 0}, {Ray(3, 4), 491}, {Ray(255, 255), 64954}, {Ray(100, 0), 25139}});
}

// Built by the first call, whenever it comes; later calls leave the tables
// alone, so that loading after the page has built them costs nothing.
TEST(BuildEffectTables, OnceBuildsOnTheFirstCallOnly) {
  BuildEffectTablesOnce();
  EXPECT_EQ(SaturateTable[300], 255);
  startup::SaturateTable[300] = 7;
  BuildEffectTablesOnce();
  EXPECT_EQ(SaturateTable[300], 7);
  BuildEffectTables();
}

}  // namespace
}  // namespace vantrelle
