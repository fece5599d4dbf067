// Any bytes as a .pal file: the reader accepts exactly 1048 bytes and
// leaves the palette untouched otherwise.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "assets/asset_buffers.h"
#include "assets/data_inventory.h"
#include "assets/load_palette.h"

namespace {

const std::filesystem::path& ScratchFile() {
  static const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("vantrelle-fuzz-" + std::to_string(getpid()) + ".pal");
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    std::ofstream out(ScratchFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  vantrelle::Palette565 palette;
  palette.fill(0x1234);
  const bool read = vantrelle::LoadPalette(ScratchFile(), palette).ok();
  if (read != (size == vantrelle::kPaletteFileBytes)) {
    std::abort();
  }
  if (!read) {
    for (std::uint16_t entry : palette) {
      if (entry != 0x1234) std::abort();
    }
  }
  std::filesystem::remove(ScratchFile());
  return 0;
}
