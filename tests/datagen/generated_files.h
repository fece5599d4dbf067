#pragma once
// Access to the data set the build generated beside the executables.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "assets/resolve_data_path.h"

namespace vantrelle::datagen::testing {

// The folder that holds gfx/, mesh/ and music/ (VANTRELLE_BIN).
inline std::filesystem::path GeneratedFolder() {
  const char* bin = std::getenv("VANTRELLE_BIN");
  return bin != nullptr ? std::filesystem::path(bin) : std::filesystem::path("bin");
}

// Whole file, or empty when it is missing.
inline std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A generated file by its name in the show's naming.
inline std::vector<std::uint8_t> ReadGenerated(std::string_view name) {
  return ReadFile(ResolveDataPath(GeneratedFolder(), name));
}

// A fresh folder under the temporary directory, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "vantrelle-datagen-XXXXXX").string();
    if (mkdtemp(name.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
    path_ = name;
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace vantrelle::datagen::testing
