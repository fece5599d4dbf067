#pragma once
// The default data set: every file the show reads, generated in memory, and
// the writer that lays it out under an output folder (gfx/, mesh/, music/).
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/data_inventory.h"
#include "core/status.h"

namespace vantrelle::datagen {

struct DataFile {
  std::string name;  // in the show's naming, e.g. "gfx\\starsky.raw"
  std::vector<std::uint8_t> bytes;
};

// All 30 files: the engine's inventory (kDataFiles), in its order, then the
// soundtrack, made on a second thread while the pictures are drawn. Fails
// with kNotFound when the font or a file is missing, kMalformed when a file
// is extra, of a size the show does not read, or a mesh it would refuse, and
// kUnwritable when the MP3 encoder fails.
Result<std::vector<DataFile>> GenerateDataSet();

// Writes the files below `folder` (backslashes become subfolders), creating
// them as needed. Each file is written beside its name and renamed over it,
// so that a link there is never followed and a failure leaves it as it was;
// anything at a name but a regular file, and a folder that is a symbolic
// link owned by another user, is refused before any file is written. Fails
// with kUnwritable and one line naming what failed.
Status WriteDataSet(const std::vector<DataFile>& files, const std::filesystem::path& folder);

}  // namespace vantrelle::datagen
