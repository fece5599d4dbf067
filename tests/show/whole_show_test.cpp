// The whole show drawn every 7 ms, each segment's run of frames against its
// recorded hash. A few segments per test, so that the sanitizer build spreads
// them over the cores; each group starts on a black frame and keeps one frame
// buffer, as the show does.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/frame_buffer.h"
#include "frame_hashes.h"
#include "show_data.h"
#include "timeline/timeline.h"

namespace vantrelle {
namespace {

constexpr DemoClock kStepMs = 7;  // off the beat grid, so frames fall on every phase
constexpr int kSegmentsPerGroup = 3;

class WholeShow : public testing::TestWithParam<int> {};

TEST_P(WholeShow, EveryFrameOfItsSegmentsKeepsItsHash) {
  ASSERT_TRUE(LoadShowData().ok()) << LoadShowData().message;
  const auto segments = ShowSegments();
  const std::size_t first = static_cast<std::size_t>(GetParam()) * kSegmentsPerGroup;
  const std::size_t last = std::min(first + kSegmentsPerGroup, segments.size()) - 1;
  static FrameBuffer frame;
  frame.fill(0);
  DemoClock t = segments[first].start;
  for (std::size_t s = first; s <= last; ++s) {
    std::uint64_t hash = kFrameHashStart;
    for (; t < segments[s].end; t += kStepMs) {
      ASSERT_TRUE(Timeline(frame, t)) << "t = " << t;
      hash = FrameHash(frame, hash);
    }
    EXPECT_FRAME_HASH("segment" + std::to_string(segments[s].number), hash)
        << "\n(when DataSet.EveryFileIsTheOneTheFrameHashesWereTakenOn fails too, the data set changed)";
  }
}

INSTANTIATE_TEST_SUITE_P(SegmentGroups, WholeShow, testing::Range(0, (25 + kSegmentsPerGroup - 1) / kSegmentsPerGroup),
                         [](const testing::TestParamInfo<int>& info) {
                           const int first = info.param * kSegmentsPerGroup + 1;
                           return "Segments" + std::to_string(first) + "To" +
                                  std::to_string(std::min(first + kSegmentsPerGroup - 1, 25));
                         });

}  // namespace
}  // namespace vantrelle
