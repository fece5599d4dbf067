#pragma once
// Writable views of the buffers of asset_buffers.h, for the start-up code
// that loads them; everything else reads them through const references.
#include <array>
#include <cstdint>

#include "assets/asset_buffers.h"
#include "assets/mesh.h"

namespace vantrelle {
namespace startup {

// Loading scratch, never read once the show runs.
extern std::array<std::uint8_t, 131072> StagingA;  // 8-bit pictures before expansion
extern std::array<std::uint8_t, 65536> StagingB;   // 8-bit scratch; the planet picture
extern std::array<std::uint8_t, std::tuple_size_v<SkyboxBuffer>> SkyboxStaging;
extern Palette565 PaletteStaging;  // the colours of the picture read next

// Loaded pictures, tables and palettes.
extern EndTextureBuffer EndTexture;
extern PortraitBuffer FaceAPicture;
extern PortraitBuffer FaceBPicture;
extern PortraitBuffer FaceCPicture;
extern PortraitBuffer FaceDPicture;
extern PortraitAlphaBuffer FaceAAlpha;
extern PortraitAlphaBuffer FaceBAlpha;
extern PortraitAlphaBuffer FaceCAlpha;
extern PortraitAlphaBuffer FaceDAlpha;
extern IntroTextBuffer IntroTextPages;
extern StarSkyBuffer StarSkyPicture;
extern SkyboxBuffer PlanetSkybox;
extern TextureBuffer RadialTexture;
extern CreditsBuffer CreditsPages;
extern ClipBuffer ClipFrames;
extern GreetsBuffer GreetsFileBuffer;
extern TextureBuffer PlanetMapTexture;
extern Palette565 PlanetMapPalette;
extern Palette565 PlanetPalette;
extern EndScrollBuffer EndScrollAlpha;
extern std::array<std::int32_t, kLoadedMeshWords> LoadedMesh;  // mesh.h

}  // namespace startup
}  // namespace vantrelle
