#include "assets/asset_buffers.h"

namespace vantrelle {

std::array<std::uint8_t, 131072> StagingA{};
std::array<std::uint8_t, 65536> StagingB{};
std::array<std::uint8_t, 393216> SkyboxStaging{};
std::array<std::uint16_t, 131072> EndTexture{};
std::array<std::uint16_t, 33600> FaceAPicture{};
std::array<std::uint16_t, 33600> FaceBPicture{};
std::array<std::uint16_t, 33600> FaceCPicture{};
std::array<std::uint16_t, 33600> FaceDPicture{};
std::array<std::uint8_t, 33600> FaceAAlpha{};
std::array<std::uint8_t, 33600> FaceBAlpha{};
std::array<std::uint8_t, 33600> FaceCAlpha{};
std::array<std::uint8_t, 33600> FaceDAlpha{};
std::array<std::uint8_t, 153600> IntroTextPages{};
std::array<std::uint8_t, 262144> StarSkyPicture{};
std::array<std::uint16_t, 393216> PlanetSkybox{};
std::array<std::uint16_t, 65536> RadialTexture{};
std::array<std::uint8_t, 384000> CreditsPages{};
std::array<std::uint8_t, 1280000> ClipFrames{};
std::array<std::uint8_t, 576000> GreetsFileBuffer{};
std::array<std::uint16_t, 65536> PlanetMapTexture{};
Palette565 PlanetMapPalette{};
Palette565 PlanetPalette{};
std::array<std::uint8_t, 360000> EndScrollAlpha{};

}  // namespace vantrelle
