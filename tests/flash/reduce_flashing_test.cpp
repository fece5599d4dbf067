#include "flash/reduce_flashing.h"

#include <gtest/gtest.h>

#include "flash/make_flash_map.h"
#include "flash_sequences.h"

namespace vantrelle::flash {
namespace {

using testing::kSequenceFps;
using testing::kSequenceMs;
using testing::Sequence;

// Feeds the analyser the sequence at `fps`, reduced through `map` when there is one.
Status Feed(const Sequence& sequence, int fps, const FlashMap* map, FlashAnalyser& analyser) {
  static FrameBuffer exact{};
  static FrameBuffer shown{};
  for (int n = 0; n * 1000 / fps < kSequenceMs; ++n) {
    const DemoClock t = n * 1000 / fps;
    sequence.draw(t * kSequenceFps / 1000, exact);
    if (map != nullptr) {
      ReduceFlashing(t, exact, *map, shown);
      analyser.Add(t, shown);
    } else {
      analyser.Add(t, exact);
    }
  }
  return {};
}

TEST(ReduceFlashing, EveryFailingSequencePassesAtEveryRate) {
  for (const Sequence& sequence : testing::kSequences) {
    const auto pass = [&](int fps, const FlashMap* map, FlashAnalyser& analyser) {
      return Feed(sequence, fps, map, analyser);
    };
    MapProgress progress;
    const Result<FlashMap> made = MakeFlashMap(pass, kCheckedRates, kDefaultFieldPx, 42, &progress);
    ASSERT_TRUE(made.ok()) << sequence.name;
    const FlashMap& map = made.value();
    EXPECT_TRUE(progress.passesAll) << sequence.name;
    EXPECT_EQ(map.stretches.empty(), !sequence.screenFails && !sequence.regionFails) << sequence.name;
    for (const int fps : kCheckedRates) {
      FlashAnalyser analyser;
      ASSERT_TRUE(Feed(sequence, fps, &map, analyser).ok());
      EXPECT_TRUE(analyser.Finish(kSequenceMs).failingSeconds.empty()) << sequence.name << " at " << fps;
    }
  }
}

TEST(ReduceFlashing, OutsideTheStretchesTheFrameIsExact) {
  FlashMap map;
  map.stretches = {{1000, 2000, 1024, 6554}};
  FrameBuffer exact{};
  for (std::size_t i = 0; i < exact.size(); ++i) exact[i] = static_cast<std::uint16_t>(i * 2654435761u >> 16);
  FrameBuffer out{};
  for (const DemoClock t : {0, 749, 2250, 5000}) {
    out.fill(1);
    ReduceFlashing(t, exact, map, out);
    EXPECT_EQ(out, exact) << t;
    EXPECT_TRUE(ReductionAt(t, map).Exact()) << t;
  }
  ReduceFlashing(1500, exact, map, out);
  EXPECT_NE(out, exact);
}

TEST(ReduceFlashing, RampsAreSmoothAndMonotone) {
  FlashMap map;
  map.stretches = {{1000, 2000, 512, 6554}};
  EXPECT_EQ(ReductionAt(1000, map).scale, 512u);
  EXPECT_EQ(ReductionAt(1999, map).scale, 512u);
  std::uint32_t before = kFullScale;
  for (DemoClock t = 1000 - kRampMs; t <= 1000; ++t) {
    const std::uint32_t scale = ReductionAt(t, map).scale;
    EXPECT_LE(scale, before) << t;
    // No step larger than a straight line's 1.5 times: smooth, never a jump.
    EXPECT_LE(before - scale, (kFullScale - 512) * 3 / 2 / kRampMs + 2) << t;
    before = scale;
  }
  for (DemoClock t = 2000; t < 2000 + kRampMs; ++t) {
    EXPECT_EQ(ReductionAt(t, map).scale, ReductionAt(1000 - (t - 2000), map).scale) << t;
  }
}

TEST(ReduceFlashing, CompressesTowardTheLevelInLinearLight) {
  // Half the range kept around a mid grey: white comes down, black comes up, the grey stays.
  const Reduction half{kFullScale / 2, 21877};  // 21877: code 19 of 31 in linear light
  FrameBuffer exact{};
  exact[0] = 0xFFFF;
  exact[1] = 0;
  exact[2] = testing::Rgb(19, 38, 19);
  FrameBuffer out{};
  ApplyReduction(half, exact, out);
  EXPECT_EQ(out[2], exact[2]);
  // (65536 + 21877) / 2 = 43707 -> red code 26 (44009); 21877 / 2 = 10939 -> red code 14 (11269).
  EXPECT_EQ(out[0] >> 11, 26);
  EXPECT_EQ(out[1] >> 11, 14);
}

}  // namespace
}  // namespace vantrelle::flash
