#pragma once
// The render tool's flash work: a report of where a range of the show flashes
// (JSON or CSV), the flash map the reduced-flash filter follows, and the map
// a data set's reduced frames use (read beside the data, or made there and then).
#include <filesystem>
#include <optional>
#include <string>

#include "core/demo_clock.h"
#include "core/status.h"
#include "flash/flash_map.h"

namespace vantrelle::render {

struct FlashReportRequest {
  std::filesystem::path dataDirectory;
  std::filesystem::path file;  // .json or .csv
  DemoClock from = 0;
  DemoClock to = 0;
  int fps = 60;
  int fieldPx = 80;
  bool reduce = false;  // analyse the reduced frames
  bool quiet = false;
};

// "" when `file` names a report the tool writes (.json or .csv), else why not.
std::string FlashReportProblem(const std::filesystem::path& file);

// Renders the range, analyses it and writes the report; the summary goes to
// standard output. Fails only when the data or the output fail: a show that
// flashes is a finding, not an error.
Status WriteFlashReport(const FlashReportRequest& request);

// Loads the data set in `dataDirectory` and returns its map: its flash.map
// when that was made from these very files, else one made now (a warning
// says so and what it cost).
Result<flash::FlashMap> FlashMapFor(const std::filesystem::path& dataDirectory, bool quiet);

// Makes the data set's map and writes it to `file`.
Status WriteFlashMapFile(const std::filesystem::path& dataDirectory, const std::filesystem::path& file, bool quiet);

}  // namespace vantrelle::render
