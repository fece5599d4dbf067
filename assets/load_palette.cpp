#include "assets/load_palette.h"

#include <cstdint>
#include <string>
#include <vector>

#include "assets/data_inventory.h"
#include "assets/load_raw.h"

namespace vantrelle {

Status LoadPalette(const std::filesystem::path& file, Palette565& destination) {
  constexpr std::size_t kHeaderBytes = 24;  // chunk headers, version and count: never looked at
  const Result<std::uint64_t> size = DataFileSize(file);
  if (!size.ok()) {
    return Status::Failure(ErrorKind::kNotFound, "expected a palette file, found none");
  }
  if (size.value() != kPaletteFileBytes) {
    return Status::Failure(ErrorKind::kMalformed, "expected " + std::to_string(kPaletteFileBytes) + " bytes, found " +
                                                      std::to_string(size.value()));
  }
  std::vector<std::uint8_t> block(kPaletteFileBytes);
  if (const Result<std::size_t> read = LoadRaw(file, block); !read.ok() || read.value() != kPaletteFileBytes) {
    return Status::Failure(ErrorKind::kUnreadable, "expected a readable file, found one that cannot be read");
  }
  for (int i = 0; i < 256; ++i) {
    const std::uint8_t* entry = block.data() + kHeaderBytes + 4 * i;
    destination[i] = static_cast<std::uint16_t>(((entry[0] >> 3) << 11) | ((entry[1] >> 2) << 5) | (entry[2] >> 3));
  }
  return {};
}

}  // namespace vantrelle
