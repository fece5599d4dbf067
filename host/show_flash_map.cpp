#include "host/show_flash_map.h"

#include <cstdio>
#include <vector>

#include "assets/data_inventory.h"
#include "assets/resolve_data_path.h"
#include "core/demo_clock.h"

namespace vantrelle::host {
namespace {

// 0.07 of the range kept: no swing, even black to white, reaches 0.1.
constexpr std::uint32_t kSafeScale = 286;  // x4096
// A grey at 0.2 in linear light: no red stays saturated, and the picture is not darkened to nothing.
constexpr std::uint32_t kSafeLevel = 13107;  // x65536

}  // namespace

flash::FlashMap WholeShowReduced() {
  flash::FlashMap map;
  map.stretches = {{0, kShowLengthMs, kSafeScale, kSafeLevel}};
  return map;
}

flash::FlashMap ShowFlashMap(const std::filesystem::path& dataDirectory) {
  std::vector<std::filesystem::path> files;
  for (const DataFile& file : kDataFiles) files.push_back(ResolveDataPath(dataDirectory, file.name));
  const Result<std::uint64_t> fingerprint = flash::DataFingerprint(files);
  const std::filesystem::path mapFile = dataDirectory / flash::kFlashMapFile;
  const Result<flash::FlashMap> read = flash::ReadFlashMap(mapFile);
  if (read.ok() && fingerprint.ok() && read.value().fingerprint == fingerprint.value()) {
    return read.value();
  }
  std::fprintf(stderr,
               "vantrelle: %s; reduced flashing dims the whole show (vantrelle-render --data DIR --flash-map "
               "DIR/flash.map makes the map)\n",
               read.ok() ? (mapFile.string() + ": made from other data").c_str() : read.status().message.c_str());
  return WholeShowReduced();
}

}  // namespace vantrelle::host
