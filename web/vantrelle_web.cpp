// The page's way into the engine: load a data directory written into the
// in-memory file system, draw the frame for a time, read the frame's pixels.
// Everything lives in static storage; nothing is allocated per frame.
#include <cstddef>
#include <cstdint>
#include <string>

#include "assets/data_inventory.h"
#include "assets/libm_tables.h"
#include "core/frame_buffer.h"
#include "timeline/load_and_precompute.h"
#include "timeline/timeline.h"

namespace {

vantrelle::FrameBuffer showFrame{};  // what the page shows; never cleared while playing
std::string loadError;
std::string dataFileName;

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

}  // extern "C"
