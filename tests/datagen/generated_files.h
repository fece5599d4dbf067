#pragma once
// Access to the data set the build generated beside the executables.
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace vantrelle::datagen::testing {

// The folder that holds gfx/, mesh/ and music/ (VANTRELLE_BIN).
std::filesystem::path GeneratedFolder();

// Whole file, or empty when it is missing; `name` in the show's naming.
std::vector<std::uint8_t> ReadGenerated(std::string_view name);
std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path);

// A fresh folder under the temporary directory, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// RGB of palette entry i of a .pal file's bytes.
struct Rgb {
  int r, g, b;
};
Rgb PaletteEntry(const std::vector<std::uint8_t>& pal, int i);

}  // namespace vantrelle::datagen::testing
