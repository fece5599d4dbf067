#pragma once
// Makes a data set's flash map: the show analysed at every usual refresh
// rate, its failing windows made stretches, and the reduced show analysed
// again at every rate, stretches widened and strengthened until it passes.
#include <functional>
#include <span>

#include "core/status.h"
#include "flash/flash_analysis.h"
#include "flash/flash_map.h"

namespace vantrelle::flash {

// Desktop refresh rates the reduced show is checked at.
inline constexpr int kCheckedRates[] = {60, 30, 50, 75, 120, 144};

// Feeds `analyser` every frame of the show at `fps`, exact when `reduce` is
// null, else through the filter with that map.
using AnalysePass = std::function<Status(int fps, const FlashMap* reduce, FlashAnalyser& analyser)>;

struct MapProgress {
  int passes = 0;          // analyses run
  int rounds = 0;          // rounds of widening and strengthening after the first
  bool passesAll = false;  // the reduced show passed every rate
};

// `fingerprint` is stored in the map. Fails only when a pass fails.
Result<FlashMap> MakeFlashMap(const AnalysePass& pass, std::span<const int> rates, int fieldPx,
                              std::uint64_t fingerprint, MapProgress* progress = nullptr);

}  // namespace vantrelle::flash
