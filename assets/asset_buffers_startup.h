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
extern std::array<std::uint8_t, 393216> SkyboxStaging;

// Loaded pictures, tables and palettes.
extern std::array<std::uint16_t, 131072> EndTexture;
extern std::array<std::uint16_t, 33600> FaceAPicture;
extern std::array<std::uint16_t, 33600> FaceBPicture;
extern std::array<std::uint16_t, 33600> FaceCPicture;
extern std::array<std::uint16_t, 33600> FaceDPicture;
extern std::array<std::uint8_t, 33600> FaceAAlpha;
extern std::array<std::uint8_t, 33600> FaceBAlpha;
extern std::array<std::uint8_t, 33600> FaceCAlpha;
extern std::array<std::uint8_t, 33600> FaceDAlpha;
extern std::array<std::uint8_t, 153600> IntroTextPages;
extern std::array<std::uint8_t, 262144> StarSkyPicture;
extern std::array<std::uint16_t, 393216> PlanetSkybox;
extern std::array<std::uint16_t, 65536> RadialTexture;
extern std::array<std::uint8_t, 384000> CreditsPages;
extern std::array<std::uint8_t, 1280000> ClipFrames;
extern std::array<std::uint8_t, 576000> GreetsFileBuffer;
extern std::array<std::uint16_t, 65536> PlanetMapTexture;
extern Palette565 PlanetMapPalette;
extern Palette565 PlanetPalette;
extern std::array<std::uint8_t, 360000> EndScrollAlpha;
extern std::array<std::int32_t, kLoadedMeshWords> LoadedMesh;  // mesh.h

}  // namespace startup
}  // namespace vantrelle
