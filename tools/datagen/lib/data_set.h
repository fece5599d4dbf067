#pragma once
// The default data set: every file the show reads, generated in memory, and
// the writer that lays it out under an output folder (gfx/, mesh/, music/).
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vantrelle::datagen {

struct DataFile {
  std::string name;  // relative, '/' separated, e.g. "gfx/starsky.raw"
  std::vector<std::uint8_t> bytes;
};

// Name and exact size of every fixed-size file (the mesh and the soundtrack
// vary in size and are not listed).
struct InventoryEntry {
  const char* name;
  std::size_t size;
};
const std::vector<InventoryEntry>& FixedSizeInventory();

inline constexpr const char* kMeshFileName = "mesh/zerozev.3df";
inline constexpr const char* kSoundtrackFileName = "music/soundtrack.mp3";

// All 30 files: the 29 the show loads at start-up and the soundtrack. The
// soundtrack is made on a second thread while the pictures are drawn.
std::vector<DataFile> GenerateDataSet();

// Writes the files below `folder`, creating subfolders. Throws on failure.
void WriteDataSet(const std::vector<DataFile>& files, const std::filesystem::path& folder);

}  // namespace vantrelle::datagen
