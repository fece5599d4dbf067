#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "headless_show.h"

namespace vantrelle::host {
namespace {

std::vector<std::uint8_t> Pattern(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
  }
  return bytes;
}

TEST_F(HeadlessShow, ShortSoundtrackIsFollowedByZeros) {
  const auto file = Pattern(1000);
  WriteSoundtrack(file);
  Run();
  ASSERT_EQ(sound.openedBytes.size(), kSoundtrackCapacityBytes);
  EXPECT_TRUE(std::equal(file.begin(), file.end(), sound.openedBytes.begin()));
  EXPECT_TRUE(std::all_of(sound.openedBytes.begin() + 1000, sound.openedBytes.end(),
                          [](std::uint8_t b) { return b == 0; }));
}

TEST_F(HeadlessShow, OverlongSoundtrackIsCutAtTheBuffersCapacity) {
  const auto file = Pattern(kSoundtrackCapacityBytes + 100);
  WriteSoundtrack(file);
  Run();
  ASSERT_EQ(sound.openedBytes.size(), kSoundtrackCapacityBytes);
  EXPECT_TRUE(std::equal(sound.openedBytes.begin(), sound.openedBytes.end(), file.begin()));
}

TEST_F(HeadlessShow, MissingSoundtrackGivesOneWarningAndASilentShow) {
  sound.openFails = true;  // all zeros is no music
  ::testing::internal::CaptureStderr();
  Run();
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
  EXPECT_NE(errors.find("soundtrack"), std::string::npos);
  EXPECT_EQ(times.size(), static_cast<std::size_t>(lastFrame));  // the show runs all the same
  EXPECT_EQ(sound.calls[3], "FSOUND_Stream_Play(0,null)");
  EXPECT_EQ(sound.calls[4], "FSOUND_Stream_Close(null)");
}

}  // namespace
}  // namespace vantrelle::host
