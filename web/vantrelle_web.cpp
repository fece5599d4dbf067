// The page's way into the engine: load a data directory written into the
// in-memory file system, draw the frame for a time, read the frame's pixels.
// Everything the show uses lives in static storage; nothing is allocated per
// frame. Making a flash map (in the page's worker) allocates as the native
// programs do.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "assets/build_effect_tables.h"
#include "assets/data_inventory.h"
#include "assets/libm_tables.h"
#include "assets/resolve_data_path.h"
#include "core/demo_clock.h"
#include "core/frame_buffer.h"
#include "flash/flash_map.h"
#include "flash/make_flash_map.h"
#include "flash/reduce_flashing.h"
#include "flash/whole_show_reduced.h"
#include "platform/turn_display_to_landscape.h"
#include "timeline/load_and_precompute.h"
#include "timeline/timeline.h"
#include "tools/render/frame_times.h"
#include "tools/render/vertical_layout.h"

namespace {

vantrelle::FrameBuffer showFrame{};  // what the page shows; never cleared while playing
std::string loadError;
std::string dataFileName;

// The reduced-flash filter's frame, beside the show's (which the engine draws over).
vantrelle::FrameBuffer reducedFrame{};
std::uint64_t dataFingerprint = 0;  // of the data loaded last
bool fingerprinted = false;
vantrelle::flash::FlashMap givenMap;  // the map the page gave last
bool mapGiven = false;
// What the filter follows: the given map when it was made from the loaded
// data, else the whole show reduced, as in the native programs.
vantrelle::flash::FlashMap followedMap = vantrelle::flash::WholeShowReduced();
bool followsGivenMap = false;
std::string mapError;

// Making the loaded data's flash map a few frames at a time (in the page's
// worker, which has an engine of its own): the same passes the render tool
// runs, drawn into buffers of their own.
std::unique_ptr<vantrelle::flash::FlashMapMaker> maker;
vantrelle::FrameBuffer makingFrame{};  // drawn over, never cleared during a pass, as the render tool draws
vantrelle::FrameBuffer makingReduced{};
std::int64_t makingNext = 0;  // the pass's next frame
std::string madeMap;

// A pass covers the show at its rate from 0, as the render tool's ranges do.
vantrelle::render::FrameTimes Pass(int fps) {
  return vantrelle::render::FrameTimes::AtRate(0, vantrelle::kShowLengthMs, fps);
}

// A frame turned upright for vertical clips: 240 pixels a row.
vantrelle::FrameBuffer uprightFrame{};

void ChooseMap() {
  followsGivenMap = mapGiven && fingerprinted && givenMap.fingerprint == dataFingerprint;
  followedMap = followsGivenMap ? givenMap : vantrelle::flash::WholeShowReduced();
}

vantrelle::LibmTable TableAt(int index) {
  const auto tables = vantrelle::LibmTables();
  const bool known = index >= 0 && index < static_cast<int>(tables.size());
  return known ? tables[static_cast<std::size_t>(index)] : vantrelle::LibmTable{"", nullptr, 0};
}

}  // namespace

extern "C" {

// Builds the effect tables, which need no data, ahead of it, so that loading
// the data once it has arrived takes less time. Loading builds them where
// this was not called.
void vantrelle_prepare() { vantrelle::BuildEffectTablesOnce(); }

// Loads the data below `directory` and builds every table. Returns "" when it
// is fit to play, else the one-line message the native program gives. A
// directory that fails its checks leaves the previous data in place.
const char* vantrelle_load(const char* directory) {
  loadError = vantrelle::LoadAndPrecompute(directory).message;
  showFrame.fill(0);
  if (loadError.empty()) {
    // Taken now: the page removes the files once they are loaded.
    std::vector<std::filesystem::path> files;
    for (const vantrelle::DataFile& file : vantrelle::kDataFiles) {
      files.push_back(vantrelle::ResolveDataPath(directory, file.name));
    }
    const vantrelle::Result<std::uint64_t> fingerprint = vantrelle::flash::DataFingerprint(files);
    fingerprinted = fingerprint.ok();
    dataFingerprint = fingerprint.ok() ? fingerprint.value() : 0;
    ChooseMap();
    // A map being made was of the data just replaced.
    maker.reset();
    madeMap.clear();
  }
  return loadError.c_str();
}

// Gives the reduced-flash filter the text of a flash map (flash.map), shown
// in messages as `name`. Returns "" when the map was made from the data
// loaded now, else why the whole show is reduced instead; a map that fails
// to parse is forgotten. Loading other data later checks the map again.
const char* vantrelle_flash_map(const char* text, const char* name) {
  vantrelle::Result<vantrelle::flash::FlashMap> parsed = vantrelle::flash::ParseFlashMap(text, name);
  mapGiven = parsed.ok();
  givenMap = parsed.ok() ? parsed.value() : vantrelle::flash::FlashMap{};
  ChooseMap();
  mapError = !parsed.ok()      ? parsed.status().message
             : followsGivenMap ? ""
                               : std::string(name) + ": made from other data";
  return mapError.c_str();
}

// Starts making the flash map of the data loaded last (dropping one being
// made). Returns 0 when there is no data to make it from, else 1.
int vantrelle_make_flash_map() {
  maker.reset();
  madeMap.clear();
  if (!fingerprinted) return 0;
  maker = std::make_unique<vantrelle::flash::FlashMapMaker>(vantrelle::flash::kCheckedRates,
                                                            vantrelle::flash::kDefaultFieldPx, dataFingerprint);
  makingNext = 0;
  return 1;
}

// Draws and analyses up to `frames` frames of the map being made. Returns 1
// while there is more to do, 0 once the map is made (see made_flash_map) or
// when none is being made.
int vantrelle_make_flash_map_step(int frames) {
  if (!maker) return 0;
  for (int i = 0; i < frames && !maker->Done(); ++i) {
    const int fps = maker->Fps();
    if (makingNext == 0) makingFrame.fill(0);
    const vantrelle::render::FrameTimes pass = Pass(fps);
    const vantrelle::DemoClock t = pass.At(makingNext);
    static_cast<void>(vantrelle::Timeline(makingFrame, t));
    const vantrelle::flash::FlashMap* reduce = maker->Reduce();
    if (reduce != nullptr) vantrelle::flash::ReduceFlashing(t, makingFrame, *reduce, makingReduced);
    maker->Analyser().Add(t, reduce != nullptr ? makingReduced : makingFrame);
    if (++makingNext == pass.Count()) {
      makingNext = 0;
      maker->PassDone();
    }
  }
  if (!maker->Done()) return 1;
  madeMap = vantrelle::flash::FlashMapText(maker->Map());
  maker.reset();
  return 0;
}

// How far the map being made is, in thousandths: of the usual two rounds of
// passes (the exact show, then the reduced one, at every rate), held under
// 1000 while a further round runs.
int vantrelle_make_flash_map_progress() {
  if (!maker) return madeMap.empty() ? 0 : 1000;
  const std::int64_t passFrames = Pass(maker->Fps()).Count();
  const std::int64_t usual = 2 * static_cast<std::int64_t>(std::size(vantrelle::flash::kCheckedRates));
  const std::int64_t done = (maker->Progress().passes * passFrames + makingNext) * 1000 / (usual * passFrames);
  return static_cast<int>(std::min<std::int64_t>(done, 999));
}

// The text of the map made last (as `vantrelle-render --flash-map` writes it); "" until it is made.
const char* vantrelle_made_flash_map() { return madeMap.c_str(); }

// Whether the filter follows a map made from the loaded data (1), or reduces the whole show (0).
int vantrelle_flash_map_followed() { return followsGivenMap ? 1 : 0; }

// The stretches of the followed map where the filter works at full
// strength (the show fails there unreduced): how many, and each one's start
// and end in ms.
int vantrelle_flash_stretch_count() { return static_cast<int>(followedMap.stretches.size()); }
int vantrelle_flash_stretch_from(int index) {
  const bool known = index >= 0 && index < vantrelle_flash_stretch_count();
  return known ? followedMap.stretches[static_cast<std::size_t>(index)].from : 0;
}
int vantrelle_flash_stretch_to(int index) {
  const bool known = index >= 0 && index < vantrelle_flash_stretch_count();
  return known ? followedMap.stretches[static_cast<std::size_t>(index)].to : 0;
}

// The frame the viewer sees at `t` with flashing reduced, from the frame
// drawn last, in reduced_frame(); the drawn frame is left as it is.
void vantrelle_reduce(int t) { vantrelle::flash::ReduceFlashing(t, showFrame, followedMap, reducedFrame); }
const std::uint16_t* vantrelle_reduced_frame() { return reducedFrame.data(); }

// Data file `index` of the 29 the show reads, as a path relative to the data
// directory with '/' separators; "" past the end.
const char* vantrelle_data_file(int index) {
  const bool known = index >= 0 && index < static_cast<int>(vantrelle::kDataFiles.size());
  dataFileName = known ? vantrelle::kDataFiles[static_cast<std::size_t>(index)].name : "";
  for (char& c : dataFileName) {
    c = c == '\\' ? '/' : c;
  }
  return dataFileName.c_str();
}

// Draws the frame for t over the previous one, as the show does. Returns 0
// once the show is over (the frame is left as it was), else 1.
int vantrelle_draw(int t) { return vantrelle::Timeline(showFrame, t); }

// The number of segments the show has; segment_start(count) is the show's end.
int vantrelle_segment_count() { return static_cast<int>(vantrelle::ShowSegments().size()); }

// Where segment `index` starts, in ms; below 0 the show's start, from the count on its end.
int vantrelle_segment_start(int index) {
  const auto segments = vantrelle::ShowSegments();
  if (index < 0) return segments.front().start;
  return index < static_cast<int>(segments.size()) ? segments[static_cast<std::size_t>(index)].start
                                                   : segments.back().end;
}

// Starts the frame again from black, as the show is before its first frame.
void vantrelle_clear() { showFrame.fill(0); }

// The RGB565 frame, rows top to bottom, frame_width() x frame_height() pixels.
const std::uint16_t* vantrelle_frame() { return showFrame.data(); }
int vantrelle_frame_width() { return vantrelle::kFrameWidth; }
int vantrelle_frame_height() { return vantrelle::kFrameHeight; }

// `frame` (the show's frame or the reduced one) turned upright, 240 x 400, as
// the handheld's display showed it; and where a vertical clip puts it: by
// number 0..4 the video's width and height, the enlargement, the picture's
// left and top (video pixels); 0 past the end.
const std::uint16_t* vantrelle_upright(const std::uint16_t* frame) {
  vantrelle::platform::TurnLandscapeToDisplay(frame, uprightFrame.data());
  return uprightFrame.data();
}
int vantrelle_vertical_layout(int index) {
  namespace render = vantrelle::render;
  constexpr int layout[] = {render::kVerticalWidth, render::kVerticalHeight, render::kVerticalScale,
                            render::kVerticalLeft, render::kVerticalTop};
  return index >= 0 && index < static_cast<int>(std::size(layout)) ? layout[index] : 0;
}

// The start-up tables whose values come from sin, cos and atan2, by number
// (0..4): where each starts, its size in bytes and its name; null, 0 and ""
// past the end. They must come out the same in the browser as natively.
const void* vantrelle_table(int index) { return TableAt(index).data; }
int vantrelle_table_bytes(int index) { return static_cast<int>(TableAt(index).bytes); }
const char* vantrelle_table_name(int index) { return TableAt(index).name; }

}  // extern "C"
