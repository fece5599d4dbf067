#include "generated_files.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "assets/resolve_data_path.h"

namespace vantrelle::datagen::testing {

std::filesystem::path GeneratedFolder() {
  const char* bin = std::getenv("VANTRELLE_BIN");
  return bin != nullptr ? std::filesystem::path(bin) : std::filesystem::path("bin");
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::uint8_t> ReadGenerated(std::string_view name) {
  return ReadFile(ResolveDataPath(GeneratedFolder(), name));
}

Rgb PaletteEntry(const std::vector<std::uint8_t>& pal, int i) {
  return {pal[24 + 4 * i], pal[25 + 4 * i], pal[26 + 4 * i]};
}

}  // namespace vantrelle::datagen::testing
