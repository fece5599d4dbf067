#pragma once
// Makes a data set's flash map: the show analysed at every usual refresh
// rate, its failing windows made stretches, and the reduced show analysed
// again at every rate, stretches widened and strengthened until it passes.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

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

// The same work a pass at a time, for a caller that draws the frames itself
// and cannot hand over a whole pass at once (the page's worker, which must
// stay free to report progress and to be stopped): while not Done(), feed
// Analyser() every frame of the show at Fps(), through the filter with
// Reduce() when it is not null, then call PassDone().
class FlashMapMaker {
 public:
  // `fingerprint` is stored in the map.
  FlashMapMaker(std::span<const int> rates, int fieldPx, std::uint64_t fingerprint);
  ~FlashMapMaker();
  FlashMapMaker(const FlashMapMaker&) = delete;
  FlashMapMaker& operator=(const FlashMapMaker&) = delete;

  // A stretch as it is worked out, before it is rounded into the map.
  struct Core {
    DemoClock from = 0;
    DemoClock to = 0;
    double scale = 1;  // 0 .. 1
    double level = 0;  // linear
  };

  bool Done() const { return done_; }
  int Fps() const { return rates_[rateIndex_]; }
  const FlashMap* Reduce() const { return checking_ ? &map_ : nullptr; }
  FlashAnalyser& Analyser() { return *analyser_; }
  void PassDone();

  const FlashMap& Map() const { return map_; }
  const MapProgress& Progress() const { return progress_; }

 private:
  void StartChecking();
  void Finish();

  std::vector<int> rates_;
  int fieldPx_;
  std::uint64_t fingerprint_;
  std::size_t rateIndex_ = 0;
  int round_ = 0;
  bool checking_ = false;  // analysing the reduced show, after the exact one at every rate
  bool done_ = false;
  std::vector<Core> cores_;
  std::vector<Core> failing_;  // this round's, still reduced too little
  FlashMap map_;
  MapProgress progress_;
  std::unique_ptr<FlashAnalyser> analyser_;
};

// `fingerprint` is stored in the map. Fails only when a pass fails.
Result<FlashMap> MakeFlashMap(const AnalysePass& pass, std::span<const int> rates, int fieldPx,
                              std::uint64_t fingerprint, MapProgress* progress = nullptr);

}  // namespace vantrelle::flash
