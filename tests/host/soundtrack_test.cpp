// The soundtrack's bytes reach the sound library as they are, zeros after
// them and cut at the buffer's capacity; bytes that are not music, or no file
// at all, still let the show run to its end.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "assets/data_inventory.h"
#include "headless_show.h"
#include "platform/decode_mp3.h"

namespace vantrelle::host {
namespace {

TEST_F(HeadlessShow, SoundtrackBytesAreHandedOverAsTheyAreAndTheShowRuns) {
  std::mt19937 random(462);
  for (std::size_t size : {std::size_t{0}, std::size_t{1000}, std::size_t{65536}, kSoundtrackCapacityBytes + 100}) {
    SCOPED_TRACE(size);
    Reset();
    MakeDisplay({});
    std::vector<std::uint8_t> file(size);
    for (std::uint8_t& b : file) b = static_cast<std::uint8_t>(random());
    std::ofstream(data.path() / "music" / "soundtrack.mp3", std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(times.size(), static_cast<std::size_t>(lastFrame));
    const std::vector<std::uint8_t>& opened = sound.openedBytes;
    ASSERT_EQ(opened.size(), kSoundtrackCapacityBytes);
    const auto kept = static_cast<std::ptrdiff_t>(std::min(file.size(), opened.size()));
    EXPECT_TRUE(std::equal(file.begin(), file.begin() + kept, opened.begin()));
    EXPECT_TRUE(std::all_of(opened.begin() + kept, opened.end(), [](std::uint8_t b) { return b == 0; }));
    // What the real sound library decodes from those bytes: nothing, or whole
    // frames at a real rate.
    platform::DecodedSound decoded;
    if (platform::DecodeMp3(opened.data(), opened.size(), decoded)) {
      EXPECT_GT(decoded.rate, 0);
      ASSERT_GE(decoded.channels, 1);
      EXPECT_EQ(decoded.samples.size() % static_cast<std::size_t>(decoded.channels), 0u);
    } else {
      EXPECT_TRUE(decoded.samples.empty());
    }
  }
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
