#include "flash/flash_analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "flash/linear_light.h"
#include "flash_sequences.h"

namespace vantrelle::flash {
namespace {

using testing::kSequenceFps;
using testing::kSequenceMs;
using testing::Sequence;

FlashReport Analyse(const Sequence& sequence, int fieldPx = kDefaultFieldPx) {
  FlashAnalyser analyser(fieldPx);
  static FrameBuffer frame{};
  for (int n = 0; n * 1000 / kSequenceFps < kSequenceMs; ++n) {
    sequence.draw(n, frame);
    analyser.Add(n * 1000 / kSequenceFps, frame);
  }
  return analyser.Finish(kSequenceMs);
}

double SrgbToLinear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

// Both tables hold each code's linear light (16.16) and NearestCode finds
// every code again from its own value.
TEST(LinearLight, TablesFollowTheSrgbFormulaAndNearestCodeRoundsInLinearLight) {
  for (const auto& [table, codes] : {std::pair{kLinear5.data(), 32}, {kLinear6.data(), 64}}) {
    for (int code = 0; code < codes; ++code) {
      EXPECT_NEAR(table[code], SrgbToLinear(code / (codes - 1.0)) * 65536, 0.5) << code << " of " << codes;
      EXPECT_EQ(NearestCode(table, codes, table[code]), code) << code << " of " << codes;
    }
  }
  EXPECT_EQ(NearestCode(kLinear5.data(), 32, 400), 2);  // 352 is nearer than 625
  EXPECT_EQ(NearestCode(kLinear5.data(), 32, 500), 3);
  EXPECT_EQ(NearestCode(kLinear5.data(), 32, 70000), 31);
}

TEST(FlashAnalysis, SequencesWithKnownAnswers) {
  for (const Sequence& sequence : testing::kSequences) {
    const FlashReport report = Analyse(sequence);
    ASSERT_EQ(report.seconds.size(), 3u) << sequence.name;
    EXPECT_EQ(report.ScreenFailing() > 0, sequence.screenFails) << sequence.name;
    EXPECT_EQ(report.RegionFailing() > 0, sequence.regionFails) << sequence.name;
    EXPECT_EQ(report.failingSeconds.empty(), !sequence.screenFails && !sequence.regionFails) << sequence.name;
    EXPECT_EQ(report.spans.empty(), report.failingSeconds.empty()) << sequence.name;
    EXPECT_EQ(report.seconds[0].region.red > 0, sequence.red) << sequence.name;
  }
}

TEST(FlashAnalysis, CountsTransitionsPerSecondAndSpansTheFailingWindows) {
  // 5 Hz: a toggle every 6 frames, ten in each second; 3 Hz: six, at the limit.
  const FlashReport fast = Analyse(testing::kSequences[0]);
  EXPECT_EQ(fast.seconds[0].screen.general, 10);
  EXPECT_EQ(fast.failingSeconds, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Analyse(testing::kSequences[1]).seconds[1].screen.general, 6);
  EXPECT_EQ(Analyse(testing::kSequences[6]).seconds[0].screen.general, 1);  // one slow rise
  ASSERT_EQ(fast.spans.size(), 1u);
  EXPECT_EQ(fast.spans[0].from, 0);
  EXPECT_GE(fast.spans[0].to, 2000);
  EXPECT_NEAR(fast.spans[0].excessGeneral, 1.0, 1e-9);
  EXPECT_NEAR(fast.spans[0].meanLuminance, 0.5, 0.01);
}

TEST(FlashAnalysis, NamesTheWorstRegion) {
  const FlashReport report = Analyse(testing::kSequences[4]);
  EXPECT_EQ(report.seconds[0].screen.general, 0);
  EXPECT_EQ(report.seconds[0].region.general, 10);
  // The square sits in the bottom-right corner: the region that holds it all.
  EXPECT_EQ(report.seconds[0].regionX, kFrameWidth - kDefaultFieldPx);
  EXPECT_EQ(report.seconds[0].regionY, kFrameHeight - kDefaultFieldPx);
  // A field larger than the square dilutes it below a quarter of the pixels.
  EXPECT_EQ(Analyse(testing::kSequences[4], 240).RegionFailing(), 0);
}

TEST(FlashAnalysis, FieldSizes) {
  for (int px : {80, 8, 240, 100}) EXPECT_TRUE(FieldProblem(px).empty()) << px;
  for (int px : {6, 242, 81, 0, -80}) EXPECT_FALSE(FieldProblem(px).empty()) << px;
}

}  // namespace
}  // namespace vantrelle::flash
