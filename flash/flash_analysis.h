#pragma once
// Measures flashing the way photosensitivity screenings do: the mean relative
// luminance (and the red quantity) of an area followed frame to frame, its
// changes counted where at least a quarter of the area's pixels changed,
// same-direction changes added up, and a 1 s window failing with more than 6
// transitions. Areas: the whole screen, and squares of `fieldPx` at a stride
// of half their side.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/demo_clock.h"
#include "core/frame_buffer.h"

namespace vantrelle::flash {

inline constexpr int kDefaultFieldPx = 80;   // about 10 degrees of view on a desktop monitor
inline constexpr int kSmallestFieldPx = 8;   // smaller squares measure single shapes, not a field of view
inline constexpr int kLargestFieldPx = 240;  // the frame's height
inline constexpr int kMostTransitions = 6;   // in one second: three flashes
inline constexpr DemoClock kWindowMs = 1000;

// "" when `fieldPx` can be measured (even, kSmallestFieldPx .. kLargestFieldPx), else why not.
std::string FieldProblem(int fieldPx);

struct RuleCounts {
  int general = 0;  // luminance transitions
  int red = 0;      // saturated-red transitions
};

// One second of the range: the most transitions of any window starting in it.
struct SecondCounts {
  RuleCounts screen;
  RuleCounts region;  // the most in any one region, each rule on its own
  int regionX = 0;    // top-left pixel of the region with the most of either rule
  int regionY = 0;
  bool screenFails = false;
  bool regionFails = false;
};

// A stretch of the range where windows fail: [from, to) in ms from the range's
// start, with what the flashes there were like.
struct FailingSpan {
  DemoClock from = 0;
  DemoClock to = 0;
  // The swings of the seventh-largest transition of the worst window there:
  // shrunk below the thresholds, no window there would have more than six.
  double excessGeneral = 0;  // luminance, 0 .. 1
  double excessRed = 0;      // red quantity, 0 .. 320
  double meanLuminance = 0;  // the whole screen's, averaged over the span's frames
};

struct FlashReport {
  int fieldPx = kDefaultFieldPx;
  std::vector<SecondCounts> seconds;  // second k covers windows starting in [1000 k, 1000 (k + 1)) ms
  std::vector<int> failingSeconds;    // where either area fails either rule
  std::vector<FailingSpan> spans;     // failing windows, merged where they overlap

  int ScreenFailing() const;
  int RegionFailing() const;
};

// Frames go in one at a time, in order; the report comes at the end. Memory
// is made at construction and grows only with the transitions found.
class FlashAnalyser {
 public:
  explicit FlashAnalyser(int fieldPx = kDefaultFieldPx);
  ~FlashAnalyser();
  FlashAnalyser(const FlashAnalyser&) = delete;
  FlashAnalyser& operator=(const FlashAnalyser&) = delete;

  // `t`: ms from the range's start, never less than the previous frame's.
  void Add(DemoClock t, const FrameBuffer& frame);
  // `rangeMs`: the range's length, so that seconds without frames are reported too.
  FlashReport Finish(DemoClock rangeMs) const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vantrelle::flash
