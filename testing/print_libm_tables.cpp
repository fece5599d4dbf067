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

int main() {
  vantrelle::BuildSinCosTables();
  vantrelle::BuildEffectTables();
  for (const vantrelle::LibmTable& table : vantrelle::LibmTables()) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a's offset basis
    const auto* bytes = static_cast<const unsigned char*>(table.data);
    for (std::size_t i = 0; i < table.bytes; ++i) {
      hash = (hash ^ bytes[i]) * 1099511628211ull;  // FNV-1a's prime
    }
    std::printf("%s %zu %016" PRIx64 "\n", table.name, table.bytes, hash);
  }
  return 0;
}
