#include <gtest/gtest.h>

#include <vector>

#include "assets/bake_track.h"

namespace vantrelle {
namespace {

class BakeTrackTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { BakeAllTracks(); }
};

TEST_F(BakeTrackTest, TrackAKeepsOnlyAngles) {
  EXPECT_EQ(TrackA[0], (TrackSample{0, 0, 0, 3840, 224, 0}));  // -256 wraps to 3840
  EXPECT_EQ(TrackA[923], (TrackSample{0, 0, 0, 3840, 253, 0}));
  EXPECT_EQ(TrackA[924], (TrackSample{0, 0, 0, 3840, 253, 0}));
  EXPECT_EQ(TrackA[14783], (TrackSample{0, 0, 0, 0, 1887, 0}));
}

TEST_F(BakeTrackTest, TrackBEnds) {
  EXPECT_EQ(TrackB[0], (TrackSample{-382294, 1201493, -3779243, 112, 277, 64}));  // floor: -35/6 -> -382,294
  EXPECT_EQ(TrackB[14783], (TrackSample{502371, -262145, -1179648, 4074, 3882, 0}));
}

TEST_F(BakeTrackTest, TrackCSegmentsOf1849CutAtTheEnd) {
  EXPECT_EQ(TrackC[0], (TrackSample{-109227, -655360, 983040, 3840, 1946, 34}));
  EXPECT_EQ(TrackC[1849], (TrackSample{-611670, -655360, 611669, 3840, 1560, 66}));
  EXPECT_EQ(TrackC[14783], (TrackSample{110651, -655360, 982185, 3840, 2134, 4095}));
}

TEST(BakeTrack, WritesNothingWithoutSegmentsAndDropsOverflow) {
  static Track track;
  track.fill(TrackSample{7, 7, 7, 7, 7, 7});
  const std::vector<TrackKey> keys(4, TrackKey{1, 1, 1, 1, 1, 1});
  BakeTrack(track, keys, 0, 10);
  BakeTrack(track, keys, -3, 10);
  EXPECT_EQ(track[0], (TrackSample{7, 7, 7, 7, 7, 7}));
  // Four keys hold one segment; asking for more writes only that one.
  BakeTrack(track, keys, 5, 10);
  EXPECT_EQ(track[0], (TrackSample{65536, 65536, 65536, 1, 1, 1}));
  // Ten steps of 0.1 sum to just under 1.0: eleven samples.
  EXPECT_EQ(track[10], (TrackSample{65536, 65536, 65536, 1, 1, 1}));
  EXPECT_EQ(track[11], (TrackSample{7, 7, 7, 7, 7, 7}));
  // A segment longer than the track stops at its last sample.
  BakeTrack(track, keys, 1, 20000);
  EXPECT_EQ(track[14783], (TrackSample{65536, 65536, 65536, 1, 1, 1}));
}

}  // namespace
}  // namespace vantrelle
