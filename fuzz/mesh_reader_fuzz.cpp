// Any bytes as a .3df file: the check names a fault or passes, the reader
// never writes past the record, and whatever the check passes the reader
// converts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "assets/check_mesh_file.h"
#include "assets/load_mesh.h"
#include "assets/mesh.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  const bool fit = vantrelle::CheckMeshFile(file).ok();
  static std::int32_t record[vantrelle::kLoadedMeshWords];
  for (bool axisSwitch : {false, true}) {
    const auto words = vantrelle::ConvertMeshFile(file, record, axisSwitch);
    if (fit && (!words.ok() || words.value() < std::size_t{vantrelle::kMeshHeaderWords})) {
      std::abort();
    }
  }
  // A record too small for the file is refused, never overrun.
  static std::int32_t small[64];
  const auto words = vantrelle::ConvertMeshFile(file, small, true);
  if (words.ok() && words.value() > 64) {
    std::abort();
  }
  return 0;
}
