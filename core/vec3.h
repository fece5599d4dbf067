#pragma once
#include <cstdint>

namespace vantrelle {

// A point or direction in 16.16 (65,536 = one unit). Arrays of points in
// meshes and tables are flat runs of x, y, z words; this names one of them.
struct Vec3 {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t z = 0;
  friend bool operator==(const Vec3&, const Vec3&) = default;
};

}  // namespace vantrelle
