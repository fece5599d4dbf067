// Prints each start-up table whose values come from the C library's sin, cos
// and atan2, as built here: its name, its size in bytes and the 64-bit FNV-1a
// hash of its bytes, one table a line. The browser tests compare the page's
// tables against these.
#include <cinttypes>
#include <cstdint>
#include <cstdio>

#include "assets/build_effect_tables.h"
#include "assets/libm_tables.h"
#include "core/sin_tables.h"
#include "testing/frame_hash.h"

int main() {
  vantrelle::BuildSinCosTables();
  vantrelle::BuildEffectTables();
  for (const vantrelle::LibmTable& table : vantrelle::LibmTables()) {
    const std::uint64_t hash = vantrelle::BytesHash({static_cast<const std::uint8_t*>(table.data), table.bytes});
    std::printf("%s %zu %016" PRIx64 "\n", table.name, table.bytes, hash);
  }
  return 0;
}
