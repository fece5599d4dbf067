#pragma once
// The start-up tables whose values come from the C library's sin, cos and
// atan2: the ones a different maths library could change. Every build (the
// browser's too) must fill them byte for byte alike, so the tests compare
// them by name across builds.
#include <array>
#include <cstddef>

#include "assets/effect_tables.h"
#include "core/sin_tables.h"

namespace vantrelle {

struct LibmTable {
  const char* name;
  const void* data;
  std::size_t bytes;
};

inline std::array<LibmTable, 5> LibmTables() {
  return {{
      {"SinTable", SinTable.data(), sizeof SinTable},
      {"CosTable", CosTable.data(), sizeof CosTable},
      {"PolarMap", PolarMap.data(), sizeof PolarMap},
      {"RaySourceX", RaySourceX.data(), sizeof RaySourceX},
      {"RaySourceY", RaySourceY.data(), sizeof RaySourceY},
  }};
}

}  // namespace vantrelle
