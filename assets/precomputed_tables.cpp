#include "assets/precomputed_tables.h"

#include "assets/build_precomputed_tables.h"

namespace vantrelle {

namespace startup {

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

}  // namespace startup

const std::array<std::uint8_t, 15 * 96000>& GreetsPages = startup::GreetsPages;
const std::array<std::uint16_t, 256>& GreyRamp = startup::GreyRamp;
const std::array<std::uint16_t, 256>& BlueRamp = startup::BlueRamp;
const std::array<std::uint16_t, 256>& RedRamp = startup::RedRamp;
const std::array<std::uint16_t, 65536>& PlanetColours = startup::PlanetColours;
const std::array<std::uint16_t, 65536>& PlanetMask = startup::PlanetMask;
const std::array<std::uint16_t, 6 * 65536>& StarSkybox = startup::StarSkybox;
const std::array<std::uint16_t, 6 * 65536>& PlanetStarSkybox = startup::PlanetStarSkybox;
const std::array<std::uint8_t, 65536>& GlowDisc = startup::GlowDisc;
const std::array<std::int16_t, 7392>& TextBlurLong = startup::TextBlurLong;
const std::array<std::int16_t, 3696>& TextBlurShort = startup::TextBlurShort;
const std::array<std::int32_t, 624 * 3>& RingPoints = startup::RingPoints;
const std::array<std::uint8_t, 65536>& GlowSprite = startup::GlowSprite;
const std::array<std::uint8_t, 65536>& XorPattern = startup::XorPattern;

}  // namespace vantrelle
