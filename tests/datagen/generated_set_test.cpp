// The data set the build generated: every palette has the layout its reader
// expects, the soundtrack decodes to the whole show of music, and a second run
// of the tool writes the very same bytes. (That every file is where the show
// looks for it, at its exact size, the whole-show tests ask of start-up, which
// refuses anything else.)
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "assets/resolve_data_path.h"
#include "platform/decode_mp3.h"
#include "testing/test_files.h"
#include "tool_run.h"
#include "tools/datagen/lib/data_set.h"
#include "tools/datagen/lib/soundtrack.h"

namespace vantrelle::datagen {
namespace {

TEST(GeneratedInventory, PalettesAreRiffPalettesOf256Entries) {
  for (const vantrelle::DataFile& e : kDataFiles) {
    const std::string name(e.name);
    if (name.size() < 4 || name.substr(name.size() - 4) != ".pal") continue;
    const auto pal = ReadBuilt(name);
    ASSERT_EQ(pal.size(), 1048u) << name;
    EXPECT_EQ(std::memcmp(pal.data(), "RIFF", 4), 0) << name;
    EXPECT_EQ(std::memcmp(pal.data() + 8, "PAL data", 8), 0) << name;
    EXPECT_EQ(pal[4] | (pal[5] << 8), 1040) << name;  // RIFF size: the file less eight bytes
    EXPECT_EQ(pal[22] | (pal[23] << 8), 256) << name;
    std::set<int> colours;  // r, g, b as one number
    for (int i = 0; i < 256; ++i) {
      EXPECT_EQ(pal[27 + 4 * i], 0) << name << " flags of entry " << i;
      colours.insert(pal[24 + 4 * i] << 16 | pal[25 + 4 * i] << 8 | pal[26 + 4 * i]);
    }
    EXPECT_GT(colours.size(), 64u) << name << " uses too few colours";
  }
}

// The soundtrack decodes (through the player's own decoder) to 251,328 ms
// and more, never falling silent, opening from quiet as the picture opens
// from black.
TEST(GeneratedSoundtrack, DecodesToTheWholeShowOfAudibleMusic) {
  const auto mp3 = ReadBuilt(kSoundtrackFileName);
  ASSERT_FALSE(mp3.empty());
  ASSERT_LE(mp3.size(), kSoundtrackCapacityBytes);
  platform::DecodedSound sound;
  ASSERT_TRUE(platform::DecodeMp3(mp3.data(), mp3.size(), sound));
  const std::vector<std::int16_t>& pcm = sound.samples;
  EXPECT_EQ(sound.rate, 22050);
  EXPECT_EQ(sound.channels, 2);
  const double seconds = static_cast<double>(pcm.size()) / 2.0 / 22050.0;
  EXPECT_GE(seconds, 251.3);
  EXPECT_LT(seconds, 260.0);

  auto rms = [&](double from, double to) {
    const std::size_t a = static_cast<std::size_t>(from * 22050) * 2, b = static_cast<std::size_t>(to * 22050) * 2;
    double sum = 0;
    for (std::size_t i = a; i < b && i < pcm.size(); ++i) sum += static_cast<double>(pcm[i]) * pcm[i];
    return std::sqrt(sum / static_cast<double>(b - a)) / 32768.0;
  };
  EXPECT_LT(rms(0.0, 0.1), 0.02);  // out of silence, as the picture comes out of black
  for (double t = 2.0; t < 248.0; t += 3.0) EXPECT_GT(rms(t, t + 3.0), 0.02) << "quiet near " << t << " s";
  EXPECT_GT(rms(50.0, 60.0), 0.06);  // the first beat scene plays at full strength
  // The first white flash (44,352 ms) lands on a hit: louder than the
  // beat before it.
  EXPECT_GT(rms(44.352, 44.600), rms(43.890, 44.138));
}

TEST(GeneratedDeterminism, ASecondRunWritesIdenticalBytes) {
  const ScratchFolder again;
  const ToolRun run = RunTool(BuiltFolder() / "vantrelle-datagen", Quoted(again.path()));
  ASSERT_EQ(run.status, 0) << run.output;
  std::vector<std::string_view> names = {kSoundtrackFileName};
  for (const vantrelle::DataFile& e : kDataFiles) names.push_back(e.name);
  for (std::string_view name : names) {
    const auto first = ReadBuilt(name);
    EXPECT_FALSE(first.empty()) << name;
    EXPECT_TRUE(first == ReadBytes(ResolveDataPath(again.path(), name))) << name << " differs between runs";
  }
}

}  // namespace
}  // namespace vantrelle::datagen
