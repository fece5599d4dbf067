// The page's way into the engine: load a data directory written into the
// in-memory file system, draw the frame for a time, read the frame's pixels.
// Everything lives in static storage; nothing is allocated per frame.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/data_inventory.h"
#include "assets/libm_tables.h"
#include "assets/resolve_data_path.h"
#include "core/frame_buffer.h"
#include "flash/flash_map.h"
#include "flash/reduce_flashing.h"
#include "timeline/load_and_precompute.h"
#include "timeline/timeline.h"

namespace {

vantrelle::FrameBuffer showFrame{};  // what the page shows; never cleared while playing
std::string loadError;
std::string dataFileName;
vantrelle::FrameBuffer reducedFrame{};  // the frame through the reduced-flash filter
vantrelle::flash::FlashMap flashMap;    // empty until a map is loaded: nothing is reduced
std::string flashMapError;

vantrelle::LibmTable TableAt(int index) {
  const auto tables = vantrelle::LibmTables();
  const bool known = index >= 0 && index < static_cast<int>(tables.size());
  return known ? tables[static_cast<std::size_t>(index)] : vantrelle::LibmTable{"", nullptr, 0};
}

}  // namespace

extern "C" {

// Loads the data below `directory` and builds every table. Returns "" when it
// is fit to play, else the one-line message the native program gives. A
// directory that fails its checks leaves the previous data in place.
const char* vantrelle_load(const char* directory) {
  loadError = vantrelle::LoadAndPrecompute(directory).message;
  showFrame.fill(0);
  return loadError.c_str();
}

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

// Where segment `index` (0..24) starts, in ms; below 0 the show's start, above 24 its end.
int vantrelle_segment_start(int index) {
  const auto segments = vantrelle::ShowSegments();
  if (index < 0) return segments.front().start;
  return index < static_cast<int>(segments.size()) ? segments[static_cast<std::size_t>(index)].start
                                                   : segments.back().end;
}

// Starts the frame again from black, as the show is before its first frame.
void vantrelle_clear() { showFrame.fill(0); }

// The 400 x 240 RGB565 frame, 192,000 bytes, rows top to bottom.
const std::uint16_t* vantrelle_frame() { return showFrame.data(); }

// The start-up tables whose values come from sin, cos and atan2, by number
// (0..4): where each starts, its size in bytes and its name; null, 0 and ""
// past the end. They must come out the same in the browser as natively.
const void* vantrelle_table(int index) { return TableAt(index).data; }
int vantrelle_table_bytes(int index) { return static_cast<int>(TableAt(index).bytes); }
const char* vantrelle_table_name(int index) { return TableAt(index).name; }

// Reads the flash map in `file` and checks it was made from the data files
// below `directory`. Returns "" when it is in use, else one line saying why
// not (the map in use is then empty: call again with another map, or reduce
// everything with vantrelle_flash_whole_show).
const char* vantrelle_flash_map(const char* file, const char* directory) {
  flashMap = {};
  vantrelle::Result<vantrelle::flash::FlashMap> read = vantrelle::flash::ReadFlashMap(file);
  if (!read.ok()) {
    flashMapError = read.status().message;
    return flashMapError.c_str();
  }
  std::vector<std::filesystem::path> files;
  for (const vantrelle::DataFile& data : vantrelle::kDataFiles) {
    files.push_back(vantrelle::ResolveDataPath(directory, data.name));
  }
  const vantrelle::Result<std::uint64_t> fingerprint = vantrelle::flash::DataFingerprint(files);
  if (!fingerprint.ok() || fingerprint.value() != read.value().fingerprint) {
    flashMapError = std::string(file) + ": made from other data";
    return flashMapError.c_str();
  }
  flashMap = std::move(read.value());
  flashMapError.clear();
  return flashMapError.c_str();
}

// Reduces the whole show as strongly as any map does: what is safe before a map is ready.
void vantrelle_flash_whole_show(int scale, int level) {
  flashMap = {};
  flashMap.stretches = {
      {0, vantrelle::kShowLengthMs, static_cast<std::uint32_t>(scale), static_cast<std::uint32_t>(level)}};
}

// The frame last drawn, through the filter at `t` (ms), in a buffer of its
// own: 400 x 240 RGB565. Outside the map's stretches it equals the frame.
const std::uint16_t* vantrelle_reduced_frame(int t) {
  vantrelle::flash::ReduceFlashing(t, showFrame, flashMap, reducedFrame);
  return reducedFrame.data();
}

// Whether the frame at `t` is changed by the filter (1) or shown as drawn (0).
int vantrelle_flash_reduces(int t) { return vantrelle::flash::ReductionAt(t, flashMap).Exact() ? 0 : 1; }

// The map's stretches, for marks on the scrub bar: how many, and each one's
// full-strength span in ms (the filter fades in and out over 250 ms either side).
int vantrelle_flash_stretch_count() { return static_cast<int>(flashMap.stretches.size()); }
int vantrelle_flash_stretch_from(int index) {
  const bool known = index >= 0 && index < vantrelle_flash_stretch_count();
  return known ? flashMap.stretches[static_cast<std::size_t>(index)].from : 0;
}
int vantrelle_flash_stretch_to(int index) {
  const bool known = index >= 0 && index < vantrelle_flash_stretch_count();
  return known ? flashMap.stretches[static_cast<std::size_t>(index)].to : 0;
}

}  // extern "C"
