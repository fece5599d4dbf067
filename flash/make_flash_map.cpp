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

using Core = FlashMapMaker::Core;

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

FlashMapMaker::FlashMapMaker(std::span<const int> rates, int fieldPx, std::uint64_t fingerprint)
    : rates_(rates.begin(), rates.end()), fieldPx_(fieldPx), fingerprint_(fingerprint) {
  map_.fingerprint = fingerprint;
  if (rates_.empty()) {
    StartChecking();
  } else {
    analyser_ = std::make_unique<FlashAnalyser>(fieldPx_);
  }
}

FlashMapMaker::~FlashMapMaker() = default;

void FlashMapMaker::PassDone() {
  ++progress_.passes;
  for (const FailingSpan& span : analyser_->Finish(0).spans) {
    if (!checking_) {
      const double level = LevelFor(span);
      cores_.push_back({span.from, span.to, ScaleFor(span.excessGeneral, span.excessRed, level), level});
      continue;
    }
    // What still fails is reduced further than it was: the swings are the reduced ones.
    double before = 1;
    double level = LevelFor(span);
    for (const Core& core : cores_) {
      if (core.from - kRampMs < span.to && span.from < core.to + kRampMs && core.scale < before) {
        before = core.scale;
        level = core.level;
      }
    }
    const double more = std::min(kStrengthenBy, ScaleFor(span.excessGeneral, span.excessRed, level));
    failing_.push_back({span.from, span.to, before * more, level});
  }
  analyser_ = std::make_unique<FlashAnalyser>(fieldPx_);
  if (++rateIndex_ < rates_.size()) return;
  rateIndex_ = 0;
  if (!checking_) {
    StartChecking();
    return;
  }
  if (failing_.empty()) {
    progress_.passesAll = true;
    Finish();
    return;
  }
  ++progress_.rounds;
  cores_.insert(cores_.end(), failing_.begin(), failing_.end());
  failing_.clear();
  cores_ = Merge(cores_);
  map_ = MapOf(cores_, fingerprint_);
  if (++round_ >= kMostRounds || map_.stretches.empty()) Finish();
}

void FlashMapMaker::StartChecking() {
  cores_ = Merge(cores_);
  map_ = MapOf(cores_, fingerprint_);
  checking_ = true;
  if (map_.stretches.empty()) Finish();
}

void FlashMapMaker::Finish() {
  if (map_.stretches.empty()) progress_.passesAll = true;
  analyser_.reset();
  done_ = true;
}

Result<FlashMap> MakeFlashMap(const AnalysePass& pass, std::span<const int> rates, int fieldPx,
                              std::uint64_t fingerprint, MapProgress* progress) {
  FlashMapMaker maker(rates, fieldPx, fingerprint);
  while (!maker.Done()) {
    if (Status done = pass(maker.Fps(), maker.Reduce(), maker.Analyser()); !done.ok()) return done;
    maker.PassDone();
  }
  if (progress != nullptr) *progress = maker.Progress();
  return maker.Map();
}

}  // namespace vantrelle::flash
