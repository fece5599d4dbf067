#include "host/load_music_file.h"

#include <algorithm>
#include <cstdio>

#include "host/shell_state.h"

namespace vantrelle::host {

void LoadMusicFile(const char* relativePath, std::span<std::uint8_t> destination) {
  const std::filesystem::path path = DataDirectory / relativePath;
  platform::SystemServices& system = Platform->system;
  const std::int64_t size = system.FileSize(path);
  if (size < 0) {
    std::fprintf(stderr, "vantrelle: no soundtrack at %s; the show runs silent\n", path.c_str());
    return;
  }
  const auto count = std::min(static_cast<std::size_t>(size), destination.size());
  system.ReadFile(path, destination.data(), count);
}

}  // namespace vantrelle::host
