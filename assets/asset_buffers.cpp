#include "assets/asset_buffers.h"

#include "assets/asset_buffers_startup.h"

namespace vantrelle {

namespace startup {

std::array<std::uint8_t, 131072> StagingA{};
std::array<std::uint8_t, 65536> StagingB{};
std::array<std::uint8_t, std::tuple_size_v<SkyboxBuffer>> SkyboxStaging{};
Palette565 PaletteStaging{};
EndTextureBuffer EndTexture{};
PortraitBuffer FaceAPicture{};
PortraitBuffer FaceBPicture{};
PortraitBuffer FaceCPicture{};
PortraitBuffer FaceDPicture{};
PortraitAlphaBuffer FaceAAlpha{};
PortraitAlphaBuffer FaceBAlpha{};
PortraitAlphaBuffer FaceCAlpha{};
PortraitAlphaBuffer FaceDAlpha{};
IntroTextBuffer IntroTextPages{};
StarSkyBuffer StarSkyPicture{};
SkyboxBuffer PlanetSkybox{};
TextureBuffer RadialTexture{};
CreditsBuffer CreditsPages{};
ClipBuffer ClipFrames{};
GreetsBuffer GreetsFileBuffer{};
TextureBuffer PlanetMapTexture{};
Palette565 PlanetMapPalette{};
Palette565 PlanetPalette{};
EndScrollBuffer EndScrollAlpha{};

}  // namespace startup

const EndTextureBuffer& EndTexture = startup::EndTexture;
const PortraitBuffer& FaceAPicture = startup::FaceAPicture;
const PortraitBuffer& FaceBPicture = startup::FaceBPicture;
const PortraitBuffer& FaceCPicture = startup::FaceCPicture;
const PortraitBuffer& FaceDPicture = startup::FaceDPicture;
const PortraitAlphaBuffer& FaceAAlpha = startup::FaceAAlpha;
const PortraitAlphaBuffer& FaceBAlpha = startup::FaceBAlpha;
const PortraitAlphaBuffer& FaceCAlpha = startup::FaceCAlpha;
const PortraitAlphaBuffer& FaceDAlpha = startup::FaceDAlpha;
const IntroTextBuffer& IntroTextPages = startup::IntroTextPages;
const StarSkyBuffer& StarSkyPicture = startup::StarSkyPicture;
const SkyboxBuffer& PlanetSkybox = startup::PlanetSkybox;
const TextureBuffer& RadialTexture = startup::RadialTexture;
const CreditsBuffer& CreditsPages = startup::CreditsPages;
const ClipBuffer& ClipFrames = startup::ClipFrames;
const GreetsBuffer& GreetsFileBuffer = startup::GreetsFileBuffer;
const TextureBuffer& PlanetMapTexture = startup::PlanetMapTexture;
const Palette565& PlanetMapPalette = startup::PlanetMapPalette;
const Palette565& PlanetPalette = startup::PlanetPalette;
const EndScrollBuffer& EndScrollAlpha = startup::EndScrollAlpha;

}  // namespace vantrelle
