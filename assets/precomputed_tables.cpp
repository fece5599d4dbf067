#include "assets/precomputed_tables.h"

namespace vantrelle {

std::array<std::uint8_t, 15 * 96000> GreetsPages{};
std::array<std::uint16_t, 256> GreyRamp{};
std::array<std::uint16_t, 256> BlueRamp{};
std::array<std::uint16_t, 256> RedRamp{};
std::array<std::uint16_t, 65536> PlanetColours{};
std::array<std::uint16_t, 65536> PlanetMask{};
std::array<std::uint16_t, 6 * 65536> StarSkybox{};
std::array<std::uint16_t, 6 * 65536> PlanetStarSkybox{};
std::array<std::uint8_t, 65536> GlowDisc{};
std::array<std::int16_t, 7392> TextBlurLong{};
std::array<std::int16_t, 3696> TextBlurShort{};
std::array<std::int32_t, 624 * 3> RingPoints{};
std::array<std::uint8_t, 65536> GlowSprite{};
std::array<std::uint8_t, 65536> XorPattern{};

}  // namespace vantrelle
