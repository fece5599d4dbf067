#include "assets/effect_tables.h"

#include "assets/build_effect_tables.h"

namespace vantrelle {

namespace startup {

std::array<std::int32_t, 512> SaturateTable{};
std::array<std::uint8_t, 384000> InverseDistanceMap{};
std::array<std::uint16_t, 384000> PolarMap{};
std::array<std::int32_t, 65536> BrightnessTable{};
std::array<std::int32_t, 65536> RaySourceX{};
std::array<std::int32_t, 65536> RaySourceY{};
std::array<RayTap, 65536> RayTaps{};

}  // namespace startup

const std::array<std::int32_t, 512>& SaturateTable = startup::SaturateTable;
const std::array<std::uint8_t, 384000>& InverseDistanceMap = startup::InverseDistanceMap;
const std::array<std::uint16_t, 384000>& PolarMap = startup::PolarMap;
const std::array<std::int32_t, 65536>& BrightnessTable = startup::BrightnessTable;
const std::array<std::int32_t, 65536>& RaySourceX = startup::RaySourceX;
const std::array<std::int32_t, 65536>& RaySourceY = startup::RaySourceY;
const std::array<RayTap, 65536>& RayTaps = startup::RayTaps;

}  // namespace vantrelle
