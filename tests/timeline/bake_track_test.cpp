#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "timeline/bake_track.h"

namespace vantrelle {
namespace {

// A uniform cubic B-spline reproduces straight lines, and a parabola with
// keys i^2 as (i + 1 + w)^2 + 1/3 in segment i. Steps of 1/1848 fall short of
// 1.0 and give a segment 1849 samples; steps of 1/924 give exactly 924.
TEST(BakeTrack, FollowsTheSplineThroughItsKeys) {
  std::vector<TrackKey> keys;
  for (int i = 0; i < 20; ++i) keys.push_back({i * 0.5, -2.0 * i, i * i * 0.25, 64.0 * i * i, 4000.0 - 100 * i, 7.0});
  static Track track;
  for (auto [steps, samples] : {std::pair{924, 924}, {1848, 1849}}) {
    BakeTrack(track, keys, 16, steps);
    for (int n = 0; n < kTrackSamples; ++n) {
      const double u = 1 + n / samples + static_cast<double>(n % samples) / steps;  // key position
      const double fixed = 65536;
      const TrackSample want{static_cast<std::int32_t>(u * 0.5 * fixed),
                             static_cast<std::int32_t>(-2.0 * u * fixed),
                             static_cast<std::int32_t>((u * u + 1.0 / 3) * 0.25 * fixed),
                             static_cast<std::int32_t>(64.0 * (u * u + 1.0 / 3)) & 4095,
                             static_cast<std::int32_t>(4000.0 - 100 * u) & 4095,
                             7};
      const TrackSample got = track[n];
      const auto near = [](std::int32_t a, std::int32_t b) { return std::abs(a - b) <= 1; };  // floor vs truncation
      const auto nearAngle = [](std::int32_t a, std::int32_t b) { return ((a - b + 1) & 4095) <= 2; };
      ASSERT_TRUE(near(got.x, want.x) && near(got.y, want.y) && near(got.z, want.z) &&
                  nearAngle(got.aroundX, want.aroundX) && nearAngle(got.aroundY, want.aroundY) &&
                  nearAngle(got.aroundZ, want.aroundZ))
          << "sample " << n << " with " << steps << " steps";
    }
  }
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
