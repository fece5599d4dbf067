#include "core/sin_tables.h"

#include <cmath>

#include "core/bit_cast.h"

namespace vantrelle {

namespace {

std::array<std::int32_t, 4096> sinStorage{};
std::array<std::int32_t, 4096> cosStorage{};

}  // namespace

const std::array<std::int32_t, 4096>& SinTable = sinStorage;
const std::array<std::int32_t, 4096>& CosTable = cosStorage;

void BuildSinCosTables() {
  // The show's step: 2 * 3.14159265 / 4096 rounded to a double, given by its
  // bit pattern so that no compiler folds a different value.
  const double step = BitCast<double>(std::uint64_t{0x3F5921FB53C8D4F1});
  for (int i = 0; i < 4096; ++i) {
    const double a = i * step;
    sinStorage[i] = static_cast<std::int32_t>(std::floor(std::sin(a) * 65536.0));
    cosStorage[i] = static_cast<std::int32_t>(std::floor(std::cos(a) * 65536.0));
  }
}

}  // namespace vantrelle
