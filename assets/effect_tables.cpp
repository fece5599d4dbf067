#include "assets/effect_tables.h"

namespace vantrelle {

std::array<std::int32_t, 512> SaturateTable{};
std::array<std::uint8_t, 384000> InverseDistanceMap{};
std::array<std::uint16_t, 384000> PolarMap{};
std::array<std::int32_t, 65536> BrightnessTable{};
std::array<std::int32_t, 65536> RaySourceX{};
std::array<std::int32_t, 65536> RaySourceY{};
std::array<RayTap, 65536> RayTaps{};
SkyboxGeometry SkyboxMesh{};

}  // namespace vantrelle
