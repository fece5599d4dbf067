// The soundtrack decodes (through the player's own decoder) to
// the whole show of music: 251,328 ms and more, never falling silent, opening
// from quiet as the picture opens from black.
#include <gtest/gtest.h>

#include <cmath>

#include "generated_files.h"
#include "platform/decode_mp3.h"
#include "tools/datagen/lib/data_set.h"
#include "tools/datagen/lib/soundtrack.h"

namespace vantrelle::datagen {
namespace {

TEST(GeneratedSoundtrack, DecodesToTheWholeShowOfAudibleMusic) {
  const auto mp3 = testing::ReadGenerated(kSoundtrackFileName);
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

}  // namespace
}  // namespace vantrelle::datagen
