// Soundtracks that are not music: the show still runs to its end, its
// sound silent (no audio found) or whatever the bytes decode to.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "headless_show.h"
#include "platform/decode_mp3.h"

namespace vantrelle::host {
namespace {

// Runs the show on `file` and checks it ran to its end with the bytes
// handed over as they were, zeros after them.
void ExpectShowRunsOn(const std::vector<std::uint8_t>& file, int status,
                      const std::vector<DemoClock>& times, int lastFrame,
                      const std::vector<std::uint8_t>& openedBytes) {
  EXPECT_EQ(status, 0);
  EXPECT_EQ(times.size(), static_cast<std::size_t>(lastFrame));
  ASSERT_EQ(openedBytes.size(), kSoundtrackCapacityBytes);
  EXPECT_TRUE(std::equal(file.begin(), file.end(), openedBytes.begin()));
  EXPECT_TRUE(std::all_of(openedBytes.begin() + static_cast<std::ptrdiff_t>(file.size()), openedBytes.end(),
                          [](std::uint8_t b) { return b == 0; }));
  // What the real sound library decodes from those bytes: nothing, or whole
  // frames at a real rate.
  platform::DecodedSound decoded;
  if (platform::DecodeMp3(openedBytes.data(), openedBytes.size(), decoded)) {
    EXPECT_GT(decoded.rate, 0);
    ASSERT_GE(decoded.channels, 1);
    EXPECT_EQ(decoded.samples.size() % static_cast<std::size_t>(decoded.channels), 0u);
  } else {
    EXPECT_TRUE(decoded.samples.empty());
  }
}

TEST_F(HeadlessShow, EmptySoundtrackStillRunsTheShow) {
  const std::vector<std::uint8_t> empty;
  WriteSoundtrack(empty);
  const int status = Run();
  ExpectShowRunsOn(empty, status, times, lastFrame, sound.openedBytes);
}

TEST_F(HeadlessShow, RandomBytesForASoundtrackStillRunTheShow) {
  std::mt19937 random(462);
  std::vector<std::uint8_t> noise(65536);
  for (std::uint8_t& b : noise) b = static_cast<std::uint8_t>(random());
  WriteSoundtrack(noise);
  const int status = Run();
  ExpectShowRunsOn(noise, status, times, lastFrame, sound.openedBytes);
}

}  // namespace
}  // namespace vantrelle::host
