// Every palette of the data set has the layout its reader expects. (That every
// file is where the show looks for it, at its exact size, the whole-show tests
// ask of start-up, which refuses anything else.)
#include <gtest/gtest.h>

#include <cstring>

#include "generated_files.h"
#include "tools/datagen/lib/data_set.h"

namespace vantrelle::datagen {
namespace {

using testing::ReadGenerated;

TEST(GeneratedInventory, PalettesAreRiffPalettesOf256Entries) {
  for (const vantrelle::DataFile& e : kDataFiles) {
    const std::string name(e.name);
    if (name.size() < 4 || name.substr(name.size() - 4) != ".pal") continue;
    const auto pal = ReadGenerated(name);
    ASSERT_EQ(pal.size(), 1048u) << name;
    EXPECT_EQ(std::memcmp(pal.data(), "RIFF", 4), 0) << name;
    EXPECT_EQ(std::memcmp(pal.data() + 8, "PAL data", 8), 0) << name;
    EXPECT_EQ(pal[4] | (pal[5] << 8), 1040) << name;  // RIFF size: the file less eight bytes
    EXPECT_EQ(pal[22] | (pal[23] << 8), 256) << name;
    int distinct = 0;
    for (int i = 0; i < 256; ++i) {
      EXPECT_EQ(pal[27 + 4 * i], 0) << name << " flags of entry " << i;
      const auto a = testing::PaletteEntry(pal, i);
      bool seen = false;
      for (int j = 0; j < i && !seen; ++j) {
        const auto b = testing::PaletteEntry(pal, j);
        seen = a.r == b.r && a.g == b.g && a.b == b.b;
      }
      distinct += seen ? 0 : 1;
    }
    EXPECT_GT(distinct, 64) << name << " uses too few colours";
  }
}

}  // namespace
}  // namespace vantrelle::datagen
