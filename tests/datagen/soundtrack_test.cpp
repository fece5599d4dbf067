// The soundtrack decodes (with the same decoder family the player uses) to
// the whole show of music: 251,328 ms and more, never falling silent, opening
// from quiet as the picture opens from black.
#include <gtest/gtest.h>
#include <mpg123.h>

#include <cmath>

#include "generated_files.h"
#include "tools/datagen/lib/data_set.h"
#include "tools/datagen/lib/soundtrack.h"

namespace vantrelle::datagen {
namespace {

TEST(GeneratedSoundtrack, DecodesToTheWholeShowOfAudibleMusic) {
  const auto mp3 = testing::ReadGenerated(kSoundtrackFileName);
  ASSERT_FALSE(mp3.empty());
  ASSERT_LE(mp3.size(), kSoundtrackCapacityBytes);
  mpg123_init();
  int error = 0;
  mpg123_handle* h = mpg123_new(nullptr, &error);
  ASSERT_NE(h, nullptr);
  ASSERT_EQ(mpg123_param(h, MPG123_ADD_FLAGS, MPG123_GAPLESS, 0.0), MPG123_OK);
  ASSERT_EQ(mpg123_format_none(h), MPG123_OK);
  ASSERT_EQ(mpg123_format(h, 22050, MPG123_STEREO, MPG123_ENC_SIGNED_16), MPG123_OK);
  ASSERT_EQ(mpg123_open_feed(h), MPG123_OK);
  std::vector<std::int16_t> pcm;
  std::vector<unsigned char> out(65536);
  std::size_t fed = 0;
  long rate = 0;
  int channels = 0, encoding = 0;
  for (;;) {
    std::size_t got = 0;
    const int ret = mpg123_read(h, out.data(), out.size(), &got);
    const auto* samples = reinterpret_cast<const std::int16_t*>(out.data());
    pcm.insert(pcm.end(), samples, samples + got / 2);
    if (ret == MPG123_NEW_FORMAT) {
      mpg123_getformat(h, &rate, &channels, &encoding);
    } else if (ret == MPG123_NEED_MORE) {
      if (fed == mp3.size()) break;
      const std::size_t n = std::min<std::size_t>(65536, mp3.size() - fed);
      ASSERT_EQ(mpg123_feed(h, mp3.data() + fed, n), MPG123_OK);
      fed += n;
    } else if (ret == MPG123_DONE) {
      break;
    } else {
      ASSERT_EQ(ret, MPG123_OK) << mpg123_plain_strerror(ret);
    }
  }
  mpg123_delete(h);
  EXPECT_EQ(rate, 22050);
  EXPECT_EQ(channels, 2);
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
