#pragma once
// The default data set: every file the show reads, generated in memory, and
// the writer that lays it out under an output folder (gfx/, mesh/, music/).
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/data_inventory.h"

namespace vantrelle::datagen {

struct DataFile {
  std::string name;  // in the show's naming, e.g. "gfx\\starsky.raw"
  std::vector<std::uint8_t> bytes;
};

// All 30 files: the engine's inventory (kDataFiles), in its order, then the
// soundtrack, made on a second thread while the pictures are drawn. Throws
// when a file is missing, extra or of a size the show does not read.
std::vector<DataFile> GenerateDataSet();

// Writes the files below `folder` (backslashes become subfolders), creating
// them as needed. Throws on failure.
void WriteDataSet(const std::vector<DataFile>& files, const std::filesystem::path& folder);

}  // namespace vantrelle::datagen
