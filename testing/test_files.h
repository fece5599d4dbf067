#pragma once
// Files and folders the tests share: the programs and data set the build
// made, whole files, fresh temporary folders.
#include <stdlib.h>

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

namespace vantrelle {

// The programs and the default data set beside them (VANTRELLE_BIN).
inline std::filesystem::path BuiltFolder() {
  const char* bin = std::getenv("VANTRELLE_BIN");
  return bin != nullptr ? bin : "build/bin";
}

// A whole file; empty when it is missing.
inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A file of the default data set, by its name in the show's naming.
inline std::vector<std::uint8_t> ReadBuilt(std::string_view name) {
  return ReadBytes(ResolveDataPath(BuiltFolder(), name));
}

// A fresh folder under the temporary directory, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "vantrelle-test-XXXXXX").string();
    if (mkdtemp(name.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
    path_ = name;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace vantrelle
