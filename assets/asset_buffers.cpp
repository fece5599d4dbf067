#include "assets/asset_buffers.h"

#include "assets/asset_buffers_startup.h"

namespace vantrelle {

namespace startup {

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

}  // namespace startup

const std::array<std::uint16_t, 131072>& EndTexture = startup::EndTexture;
const std::array<std::uint16_t, 33600>& FaceAPicture = startup::FaceAPicture;
const std::array<std::uint16_t, 33600>& FaceBPicture = startup::FaceBPicture;
const std::array<std::uint16_t, 33600>& FaceCPicture = startup::FaceCPicture;
const std::array<std::uint16_t, 33600>& FaceDPicture = startup::FaceDPicture;
const std::array<std::uint8_t, 33600>& FaceAAlpha = startup::FaceAAlpha;
const std::array<std::uint8_t, 33600>& FaceBAlpha = startup::FaceBAlpha;
const std::array<std::uint8_t, 33600>& FaceCAlpha = startup::FaceCAlpha;
const std::array<std::uint8_t, 33600>& FaceDAlpha = startup::FaceDAlpha;
const std::array<std::uint8_t, 153600>& IntroTextPages = startup::IntroTextPages;
const std::array<std::uint8_t, 262144>& StarSkyPicture = startup::StarSkyPicture;
const std::array<std::uint16_t, 393216>& PlanetSkybox = startup::PlanetSkybox;
const std::array<std::uint16_t, 65536>& RadialTexture = startup::RadialTexture;
const std::array<std::uint8_t, 384000>& CreditsPages = startup::CreditsPages;
const std::array<std::uint8_t, 1280000>& ClipFrames = startup::ClipFrames;
const std::array<std::uint8_t, 576000>& GreetsFileBuffer = startup::GreetsFileBuffer;
const std::array<std::uint16_t, 65536>& PlanetMapTexture = startup::PlanetMapTexture;
const Palette565& PlanetMapPalette = startup::PlanetMapPalette;
const Palette565& PlanetPalette = startup::PlanetPalette;
const std::array<std::uint8_t, 360000>& EndScrollAlpha = startup::EndScrollAlpha;

}  // namespace vantrelle
