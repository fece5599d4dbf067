#include <gtest/gtest.h>
#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/decode_mp3.h"

namespace vantrelle::platform {
namespace {

constexpr int kRate = 44100;
constexpr int kFrames = kRate;     // one second
constexpr int kOnset = kRate / 4;  // the tone starts a quarter second in
constexpr double kTwoPi = 6.283185307179586;

// One second of stereo: silence, then a 1 kHz tone from kOnset on.
std::vector<short> TestSignal() {
  std::vector<short> pcm(2 * kFrames, 0);
  for (int i = kOnset; i < kFrames; ++i) {
    const auto s = static_cast<short>(10000.0 * std::sin(kTwoPi * 1000.0 * (i - kOnset) / kRate));
    pcm[2 * i] = s;
    pcm[2 * i + 1] = s;
  }
  return pcm;
}

// Encodes with an info frame that records the encoder's delay and padding.
std::vector<std::uint8_t> Encode(const std::vector<short>& pcm) {
  lame_global_flags* lame = lame_init();
  lame_set_in_samplerate(lame, kRate);
  lame_set_num_channels(lame, 2);
  lame_set_brate(lame, 128);
  lame_set_bWriteVbrTag(lame, 1);
  EXPECT_EQ(lame_init_params(lame), 0);
  std::vector<std::uint8_t> mp3(kFrames * 2);
  int size = lame_encode_buffer_interleaved(lame, const_cast<short*>(pcm.data()), kFrames, mp3.data(),
                                            static_cast<int>(mp3.size()));
  size += lame_encode_flush(lame, mp3.data() + size, static_cast<int>(mp3.size()) - size);
  mp3.resize(static_cast<std::size_t>(size));
  std::vector<std::uint8_t> tag(2880);
  const std::size_t tagSize = lame_get_lametag_frame(lame, tag.data(), tag.size());
  std::copy(tag.begin(), tag.begin() + static_cast<long>(tagSize), mp3.begin());  // over the placeholder frame
  lame_close(lame);
  return mp3;
}

// Gapless: the encoder's delay and padding are gone, so the first sample is
// at time zero. Zero bytes after the music change nothing; alone they are no music.
TEST(DecodeMp3, GaplessFromTimeZeroAndZeroBytesAfterTheMusicAreHarmless) {
  auto mp3 = Encode(TestSignal());
  DecodedSound plain;
  ASSERT_TRUE(DecodeMp3(mp3.data(), mp3.size(), plain));
  EXPECT_EQ(plain.rate, kRate);
  EXPECT_EQ(plain.channels, 2);
  EXPECT_EQ(plain.samples.size(), 2u * kFrames);
  const auto loud =
      std::find_if(plain.samples.begin(), plain.samples.end(), [](std::int16_t s) { return std::abs(s) > 2000; });
  EXPECT_NEAR((loud - plain.samples.begin()) / 2, kOnset, 8);

  mp3.resize(mp3.size() + 300'000, 0);
  DecodedSound padded;
  ASSERT_TRUE(DecodeMp3(mp3.data(), mp3.size(), padded));
  EXPECT_EQ(padded.samples, plain.samples);

  const std::vector<std::uint8_t> nothing(300'000, 0);
  DecodedSound silent;
  EXPECT_FALSE(DecodeMp3(nothing.data(), nothing.size(), silent));
  EXPECT_TRUE(silent.samples.empty());
  EXPECT_FALSE(DecodeMp3(nullptr, 0, silent));
}

}  // namespace
}  // namespace vantrelle::platform
