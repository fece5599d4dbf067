// Any bytes as a flash map: the reader either refuses them, or returns a map
// the filter can follow (stretches in order, ramps apart, strengths in range)
// that reads back the same from its own text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "flash/flash_map.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace flash = vantrelle::flash;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const vantrelle::Result<flash::FlashMap> read = flash::ParseFlashMap(text, "fuzz.map");
  if (!read.ok()) {
    if (read.status().kind != vantrelle::ErrorKind::kMalformed || read.status().message.empty()) std::abort();
    return 0;
  }
  const flash::FlashMap& map = read.value();
  for (std::size_t i = 0; i < map.stretches.size(); ++i) {
    const flash::Stretch& s = map.stretches[i];
    if (s.from < 0 || s.to <= s.from || s.scale < flash::kLeastScale || s.scale > flash::kFullScale ||
        s.level > 65536) {
      std::abort();
    }
    if (i > 0 && s.from - map.stretches[i - 1].to < 2 * flash::kRampMs) std::abort();
  }
  const vantrelle::Result<flash::FlashMap> again = flash::ParseFlashMap(flash::FlashMapText(map), "again.map");
  if (!again.ok() || flash::FlashMapText(again.value()) != flash::FlashMapText(map)) std::abort();
  return 0;
}
