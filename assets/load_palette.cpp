#include "assets/load_palette.h"

#include <cstdint>
#include <vector>

#include "assets/data_inventory.h"
#include "assets/load_raw.h"

namespace vantrelle {

bool LoadPalette(const std::filesystem::path& file, Palette565& destination) {
  constexpr std::size_t kHeaderBytes = 24;  // chunk headers, version and count: never looked at
  std::vector<std::uint8_t> block(kPaletteFileBytes);
  if (LoadRaw(file, block) != static_cast<std::int64_t>(kPaletteFileBytes)) {
    return false;
  }
  for (int i = 0; i < 256; ++i) {
    const std::uint8_t* entry = block.data() + kHeaderBytes + 4 * i;
    destination[i] = static_cast<std::uint16_t>(((entry[0] >> 3) << 11) | ((entry[1] >> 2) << 5) | (entry[2] >> 3));
  }
  return true;
}

}  // namespace vantrelle
