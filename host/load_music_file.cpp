#include "host/load_music_file.h"

#include <algorithm>
#include <cstdio>

#include "assets/resolve_data_path.h"

namespace vantrelle::host {

std::int64_t LoadMusicFile(platform::SystemServices& system, const std::filesystem::path& dataDirectory,
                           const char* relativePath, std::span<std::uint8_t> destination) {
  const std::filesystem::path path = ResolveDataPath(dataDirectory, relativePath);
  const std::int64_t size = system.FileSize(path);
  if (size < 0) {
    std::fprintf(stderr, "vantrelle: no soundtrack (a regular file) at %s; the show runs silent\n", path.c_str());
    return -1;
  }
  const auto count = std::min(static_cast<std::size_t>(size), destination.size());
  system.ReadFile(path, destination.data(), count);
  return size;
}

}  // namespace vantrelle::host
