// Any bytes as a .pal file: the reader accepts exactly 1048 bytes and
// leaves the palette untouched otherwise.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "assets/asset_buffers.h"
#include "assets/data_inventory.h"
#include "assets/load_palette.h"
#include "testing/test_data_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const vantrelle::TestDataDirectory directory;
  directory.WriteFile("gfx\\planet.pal", std::span(data, size));
  vantrelle::Palette565 palette;
  palette.fill(0x1234);
  const bool read = vantrelle::LoadPalette(directory.FilePath("gfx\\planet.pal"), palette).ok();
  if (read != (size == vantrelle::kPaletteFileBytes)) {
    std::abort();
  }
  if (!read) {
    for (std::uint16_t entry : palette) {
      if (entry != 0x1234) std::abort();
    }
  }
  return 0;
}
