#include "flash/flash_analysis.h"

#include <algorithm>
#include <array>
#include <functional>

#include "flash/linear_light.h"

namespace vantrelle::flash {
namespace {

constexpr double kLeastSwing = 0.1;         // of relative luminance: a transition
constexpr double kDarkerBelow = 0.8;        // the darker state must be below this
constexpr double kLeastRedSwing = 20;       // of (R - G - B) x 320: a red transition needs more
constexpr double kSaturatedRed = 0.8;       // R / (R + G + B) at or above this
constexpr double kRedQuantityFactor = 320;  // the red quantity's scale

// Sums over one cell (half the field's side) of one frame.
struct CellSums {
  std::uint32_t red = 0;  // linear light x65536, summed
  std::uint32_t green = 0;
  std::uint32_t blue = 0;
  std::uint32_t changed = 0;  // pixels unlike the previous frame's
};

// One quantity of one area followed through the frames: the run of
// same-direction changes it is in, and the transitions found.
struct Follower {
  double reference = 0;                   // the value at the last counted frame
  double start = 0;                       // where the current run began
  int direction = 0;                      // +1, -1, or 0 before the first change
  bool counted = false;                   // the current run has made its transition
  std::vector<std::int32_t> transitions;  // frame indices
  std::vector<float> swings;              // each transition's run's whole swing

  void Begin(double value) { reference = start = value; }

  // `value` this frame; `counts`: enough pixels changed. `red`: the red rule's test.
  void Step(double value, bool counts, bool red, std::int32_t frame) {
    if (!counts) {
      return;
    }
    const double change = value - reference;
    reference = value;
    if (change == 0) {
      return;
    }
    const int direction_now = change > 0 ? 1 : -1;
    if (direction_now != direction) {
      direction = direction_now;
      start = value - change;
      counted = false;
    }
    const double swing = value > start ? value - start : start - value;
    if (counted) {
      swings.back() = static_cast<float>(swing);
      return;
    }
    const bool transition =
        red ? swing > kLeastRedSwing : swing >= kLeastSwing && std::min(value, start) < kDarkerBelow;
    if (transition) {
      counted = true;
      transitions.push_back(frame);
      swings.push_back(static_cast<float>(swing));
    }
  }
};

struct Area {
  int x = 0;  // top-left pixel
  int y = 0;
  int cellX0 = 0, cellY0 = 0, cellX1 = 0, cellY1 = 0;  // cells [x0, x1) x [y0, y1)
  std::uint32_t pixels = 0;
  Follower luminance;
  Follower red;
};

// The most transitions in any window [t, t + 1 s) starting at each frame;
// where a window fails, its seventh-largest swing raises `excess` at its first frame.
void MostPerSecond(const Follower& follower, const std::vector<DemoClock>& times, std::vector<int>& mostInSecond,
                   std::vector<std::uint8_t>& failing, std::vector<float>& excess) {
  const std::vector<std::int32_t>& transitions = follower.transitions;
  std::vector<float> swings;
  std::size_t first = 0;
  std::size_t end = 0;
  for (std::size_t frame = 0; frame < times.size(); ++frame) {
    const DemoClock t = times[frame];
    while (first < transitions.size() && times[transitions[first]] < t) ++first;
    end = std::max(end, first);
    while (end < transitions.size() && times[transitions[end]] < t + kWindowMs) ++end;
    const int count = static_cast<int>(end - first);
    int& most = mostInSecond[static_cast<std::size_t>(t / kWindowMs)];
    most = std::max(most, count);
    if (count > kMostTransitions) {
      failing[frame] = 1;
      swings.assign(follower.swings.begin() + static_cast<std::ptrdiff_t>(first),
                    follower.swings.begin() + static_cast<std::ptrdiff_t>(end));
      std::nth_element(swings.begin(), swings.begin() + kMostTransitions, swings.end(), std::greater<>());
      excess[frame] = std::max(excess[frame], swings[kMostTransitions]);
    }
  }
}

}  // namespace

std::string FieldProblem(int fieldPx) {
  if (fieldPx < kSmallestFieldPx || fieldPx > kLargestFieldPx || fieldPx % 2 != 0) {
    return "must be an even number of pixels from " + std::to_string(kSmallestFieldPx) + " to " +
           std::to_string(kLargestFieldPx);
  }
  return {};
}

int FlashReport::ScreenFailing() const {
  return static_cast<int>(
      std::count_if(seconds.begin(), seconds.end(), [](const SecondCounts& s) { return s.screenFails; }));
}

int FlashReport::RegionFailing() const {
  return static_cast<int>(
      std::count_if(seconds.begin(), seconds.end(), [](const SecondCounts& s) { return s.regionFails; }));
}

struct FlashAnalyser::State {
  int fieldPx = kDefaultFieldPx;
  int cellPx = kDefaultFieldPx / 2;
  int cellsX = 0;
  int cellsY = 0;
  std::vector<CellSums> cells;
  std::vector<Area> areas;  // the whole screen first, then the regions row by row
  FrameBuffer previous{};
  std::vector<DemoClock> times;
  std::vector<float> screenLuminance;  // each frame's

  void SumCells(const FrameBuffer& frame, bool first) {
    std::fill(cells.begin(), cells.end(), CellSums{});
    for (int y = 0; y < kFrameHeight; ++y) {
      CellSums* row = &cells[static_cast<std::size_t>(y / cellPx * cellsX)];
      const std::uint16_t* pixels = frame.data() + y * kFrameWidth;
      const std::uint16_t* before = previous.data() + y * kFrameWidth;
      for (int x0 = 0; x0 < kFrameWidth; x0 += cellPx) {
        const int x1 = std::min(x0 + cellPx, kFrameWidth);
        std::uint32_t red = 0, green = 0, blue = 0, changed = 0;
        for (int x = x0; x < x1; ++x) {
          const std::uint32_t p = pixels[x];
          red += kLinear5[p >> 11];
          green += kLinear6[(p >> 5) & 63];
          blue += kLinear5[p & 31];
          changed += p != before[x] ? 1 : 0;
        }
        CellSums& cell = row[x0 / cellPx];
        cell.red += red;
        cell.green += green;
        cell.blue += blue;
        cell.changed += changed;
      }
    }
    if (first) {
      for (CellSums& cell : cells) cell.changed = 0;
    }
    previous = frame;
  }
};

FlashAnalyser::FlashAnalyser(int fieldPx) : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.fieldPx = fieldPx;
  s.cellPx = fieldPx / 2;
  s.cellsX = (kFrameWidth + s.cellPx - 1) / s.cellPx;
  s.cellsY = (kFrameHeight + s.cellPx - 1) / s.cellPx;
  s.cells.resize(static_cast<std::size_t>(s.cellsX * s.cellsY));
  auto cellSpan = [&](int x0, int y0, int x1, int y1) {
    Area area;
    area.x = x0 * s.cellPx;
    area.y = y0 * s.cellPx;
    area.cellX0 = x0, area.cellY0 = y0, area.cellX1 = x1, area.cellY1 = y1;
    const int width = std::min(x1 * s.cellPx, kFrameWidth) - area.x;
    const int height = std::min(y1 * s.cellPx, kFrameHeight) - area.y;
    area.pixels = static_cast<std::uint32_t>(width * height);
    s.areas.push_back(std::move(area));
  };
  cellSpan(0, 0, s.cellsX, s.cellsY);
  // Squares at a stride of half their side; past the edge they are cut short.
  for (int y = 0; y + 1 < std::max(s.cellsY, 2); ++y) {
    for (int x = 0; x + 1 < std::max(s.cellsX, 2); ++x) {
      cellSpan(x, y, std::min(x + 2, s.cellsX), std::min(y + 2, s.cellsY));
    }
  }
}

FlashAnalyser::~FlashAnalyser() = default;

void FlashAnalyser::Add(DemoClock t, const FrameBuffer& frame) {
  State& s = *state_;
  const bool first = s.times.empty();
  const auto index = static_cast<std::int32_t>(s.times.size());
  s.times.push_back(t);
  s.SumCells(frame, first);
  for (Area& area : s.areas) {
    std::uint64_t red = 0, green = 0, blue = 0, changed = 0;
    for (int cy = area.cellY0; cy < area.cellY1; ++cy) {
      for (int cx = area.cellX0; cx < area.cellX1; ++cx) {
        const CellSums& cell = s.cells[static_cast<std::size_t>(cy * s.cellsX + cx)];
        red += cell.red, green += cell.green, blue += cell.blue, changed += cell.changed;
      }
    }
    const double scale = 1.0 / (static_cast<double>(kLinearOne) * area.pixels);
    const double r = static_cast<double>(red) * scale;
    const double g = static_cast<double>(green) * scale;
    const double b = static_cast<double>(blue) * scale;
    const double luminance = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double sum = r + g + b;
    const bool saturated = sum > 0 && r >= kSaturatedRed * sum;
    const double redQuantity = saturated ? (r - g - b) * kRedQuantityFactor : 0;
    if (&area == &s.areas.front()) s.screenLuminance.push_back(static_cast<float>(luminance));
    if (first) {
      area.luminance.Begin(luminance);
      area.red.Begin(redQuantity);
      continue;
    }
    const bool counts = changed * 4 >= area.pixels;
    area.luminance.Step(luminance, counts, false, index);
    area.red.Step(redQuantity, counts, true, index);
  }
}

FlashReport FlashAnalyser::Finish(DemoClock rangeMs) const {
  const State& s = *state_;
  FlashReport report;
  report.fieldPx = s.fieldPx;
  const auto secondCount = static_cast<std::size_t>(
      std::max<DemoClock>((rangeMs + kWindowMs - 1) / kWindowMs, s.times.empty() ? 0 : s.times.back() / kWindowMs + 1));
  report.seconds.resize(secondCount);
  std::vector<std::uint8_t> failing(s.times.size(), 0);
  std::vector<float> excess[2] = {std::vector<float>(s.times.size()), std::vector<float>(s.times.size())};
  std::vector<int> most(secondCount);
  for (std::size_t a = 0; a < s.areas.size(); ++a) {
    const Area& area = s.areas[a];
    for (int rule = 0; rule < 2; ++rule) {
      const Follower& follower = rule == 0 ? area.luminance : area.red;
      std::fill(most.begin(), most.end(), 0);
      MostPerSecond(follower, s.times, most, failing, excess[rule]);
      for (std::size_t k = 0; k < secondCount; ++k) {
        SecondCounts& second = report.seconds[k];
        if (a == 0) {
          (rule == 0 ? second.screen.general : second.screen.red) = most[k];
          second.screenFails = second.screenFails || most[k] > kMostTransitions;
          continue;
        }
        int& held = rule == 0 ? second.region.general : second.region.red;
        const int worst = std::max(second.region.general, second.region.red);
        if (most[k] > worst || (a == 1 && rule == 0)) {
          second.regionX = area.x;
          second.regionY = area.y;
        }
        held = std::max(held, most[k]);
        second.regionFails = second.regionFails || most[k] > kMostTransitions;
      }
    }
  }
  for (std::size_t k = 0; k < secondCount; ++k) {
    if (report.seconds[k].screenFails || report.seconds[k].regionFails)
      report.failingSeconds.push_back(static_cast<int>(k));
  }
  // Failing windows merged into spans, with the swings of the transitions inside them.
  for (std::size_t frame = 0; frame < failing.size(); ++frame) {
    if (failing[frame] == 0) continue;
    const DemoClock from = s.times[frame];
    const DemoClock to = from + kWindowMs;
    if (report.spans.empty() || report.spans.back().to < from) {
      report.spans.push_back({from, to});
    } else {
      report.spans.back().to = to;
    }
  }
  for (FailingSpan& span : report.spans) {
    double luminance = 0;
    int frames = 0;
    for (std::size_t frame = 0; frame < s.times.size(); ++frame) {
      if (s.times[frame] >= span.from && s.times[frame] < span.to) luminance += s.screenLuminance[frame], ++frames;
    }
    span.meanLuminance = frames > 0 ? luminance / frames : 0;
    for (std::size_t frame = 0; frame < s.times.size(); ++frame) {
      if (s.times[frame] < span.from || s.times[frame] >= span.to) continue;
      span.excessGeneral = std::max(span.excessGeneral, static_cast<double>(excess[0][frame]));
      span.excessRed = std::max(span.excessRed, static_cast<double>(excess[1][frame]));
    }
  }
  return report;
}

}  // namespace vantrelle::flash
