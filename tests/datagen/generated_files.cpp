#include "generated_files.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

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

ScratchFolder::ScratchFolder() {
  std::string name = (std::filesystem::temp_directory_path() / "vantrelle-datagen-XXXXXX").string();
  if (mkdtemp(name.data()) == nullptr) {
    throw std::runtime_error("cannot make a temporary folder");
  }
  path_ = name;
}

ScratchFolder::~ScratchFolder() { std::filesystem::remove_all(path_); }

Rgb PaletteEntry(const std::vector<std::uint8_t>& pal, int i) {
  return {pal[24 + 4 * i], pal[25 + 4 * i], pal[26 + 4 * i]};
}

}  // namespace vantrelle::datagen::testing
