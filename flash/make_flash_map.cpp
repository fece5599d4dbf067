#include "flash/make_flash_map.h"

#include <algorithm>
#include <cmath>

#include "core/demo_clock.h"

namespace vantrelle::flash {
namespace {

constexpr double kAimedSwing = 0.07;   // of luminance, under the 0.1 a transition needs: room for rounding to RGB565
constexpr double kAimedRedSwing = 14;  // of the red quantity, under the 20 a red transition needs
constexpr double kRedSafeShare = 0.8;  // of the scale below which a grey level rules out saturated red
constexpr double kLeastLevel = 0.05;   // linear: a grey floor, so red cannot stay saturated
constexpr double kMostLevel = 0.5;     // a brighter grey would wash the picture out
constexpr double kStrengthenBy = 0.7;  // each round, where the reduced show still fails
constexpr int kMostRounds = 8;

struct Core {
  DemoClock from = 0;
  DemoClock to = 0;
  double scale = 1;  // 0 .. 1
  double level = 0;  // linear
};

double LevelFor(const FailingSpan& span) { return std::clamp(span.meanLuminance, kLeastLevel, kMostLevel); }

// The scale that brings the span's excess transitions under the thresholds.
double ScaleFor(double excessGeneral, double excessRed, double level) {
  double scale = 1;
  if (excessGeneral > 0) scale = std::min(scale, kAimedSwing / excessGeneral);
  if (excessRed > 0) {
    // Either the swing shrinks under the red threshold, or the grey leaves no red saturated.
    const double unsaturated = kRedSafeShare * 7 * level / (1 + 7 * level);
    scale = std::min(scale, std::max(kAimedRedSwing / excessRed, unsaturated));
  }
  return scale;
}

// Merges cores that overlap or whose ramps would meet; the merged core keeps the stronger reduction.
std::vector<Core> Merge(std::vector<Core> cores) {
  std::sort(cores.begin(), cores.end(), [](const Core& a, const Core& b) { return a.from < b.from; });
  std::vector<Core> merged;
  for (const Core& core : cores) {
    if (!merged.empty() && core.from - merged.back().to < 2 * kRampMs) {
      Core& last = merged.back();
      last.to = std::max(last.to, core.to);
      if (core.scale < last.scale) last.level = core.level;
      last.scale = std::min(last.scale, core.scale);
    } else {
      merged.push_back(core);
    }
  }
  return merged;
}

FlashMap MapOf(const std::vector<Core>& cores, std::uint64_t fingerprint) {
  FlashMap map;
  map.fingerprint = fingerprint;
  for (const Core& core : cores) {
    const auto scale = static_cast<std::uint32_t>(std::floor(core.scale * kFullScale));
    const auto level = static_cast<std::uint32_t>(std::lround(core.level * 65536));
    map.stretches.push_back({core.from, core.to, std::clamp(scale, kLeastScale, kFullScale - 1), level});
  }
  return map;
}

}  // namespace

Result<FlashMap> MakeFlashMap(const AnalysePass& pass, std::span<const int> rates, int fieldPx,
                              std::uint64_t fingerprint, MapProgress* progress) {
  MapProgress counted;
  std::vector<Core> cores;
  for (const int fps : rates) {
    FlashAnalyser analyser(fieldPx);
    if (Status done = pass(fps, nullptr, analyser); !done.ok()) return done;
    ++counted.passes;
    for (const FailingSpan& span : analyser.Finish(0).spans) {
      const double level = LevelFor(span);
      cores.push_back({span.from, span.to, ScaleFor(span.excessGeneral, span.excessRed, level), level});
    }
  }
  cores = Merge(cores);
  FlashMap map = MapOf(cores, fingerprint);
  for (int round = 0; round < kMostRounds && !map.stretches.empty(); ++round) {
    std::vector<Core> failing;
    for (const int fps : rates) {
      FlashAnalyser analyser(fieldPx);
      if (Status done = pass(fps, &map, analyser); !done.ok()) return done;
      ++counted.passes;
      for (const FailingSpan& span : analyser.Finish(0).spans) {
        // What still fails is reduced further than it was: the swings are the reduced ones.
        double before = 1;
        double level = LevelFor(span);
        for (const Core& core : cores) {
          if (core.from - kRampMs < span.to && span.from < core.to + kRampMs && core.scale < before) {
            before = core.scale;
            level = core.level;
          }
        }
        const double more = std::min(kStrengthenBy, ScaleFor(span.excessGeneral, span.excessRed, level));
        failing.push_back({span.from, span.to, before * more, level});
      }
    }
    if (failing.empty()) {
      counted.passesAll = true;
      break;
    }
    ++counted.rounds;
    cores.insert(cores.end(), failing.begin(), failing.end());
    cores = Merge(cores);
    map = MapOf(cores, fingerprint);
  }
  if (map.stretches.empty()) counted.passesAll = true;
  if (progress != nullptr) *progress = counted;
  return map;
}

}  // namespace vantrelle::flash
