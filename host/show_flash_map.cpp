#include "host/show_flash_map.h"

#include <cstdio>
#include <vector>

#include "assets/data_inventory.h"
#include "assets/resolve_data_path.h"
#include "flash/whole_show_reduced.h"

namespace vantrelle::host {

flash::FlashMap ShowFlashMap(const std::filesystem::path& dataDirectory, bool warn) {
  std::vector<std::filesystem::path> files;
  for (const DataFile& file : kDataFiles) files.push_back(ResolveDataPath(dataDirectory, file.name));
  const Result<std::uint64_t> fingerprint = flash::DataFingerprint(files);
  const std::filesystem::path mapFile = dataDirectory / flash::kFlashMapFile;
  const Result<flash::FlashMap> read = flash::ReadFlashMap(mapFile);
  if (read.ok() && fingerprint.ok() && read.value().fingerprint == fingerprint.value()) {
    return read.value();
  }
  if (!warn || !fingerprint.ok()) {
    return flash::WholeShowReduced();
  }
  std::fprintf(stderr,
               "vantrelle: %s; reduced flashing dims the whole show (vantrelle-render --data DIR --flash-map "
               "DIR/flash.map makes the map)\n",
               read.ok() ? (mapFile.string() + ": made from other data").c_str() : read.status().message.c_str());
  return flash::WholeShowReduced();
}

}  // namespace vantrelle::host
