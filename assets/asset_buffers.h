#pragma once
// The buffers the data files are read into at start-up. All are static, zero
// at program start, and read-only once the show runs.
#include <array>
#include <cstddef>
#include <cstdint>

#include "assets/mesh.h"

namespace vantrelle {

using Palette565 = std::array<std::uint16_t, 256>;

inline constexpr int kClipFrameCount = 246;
inline constexpr std::size_t kClipFileBytes = std::size_t{kClipFrameCount} * 80 * 60;
inline constexpr std::size_t kTexturePixels = 256 * 256;
inline constexpr int kIntroStripBytes = 400 * 64;
inline constexpr int kPageBytes = 400 * 240;

// Each buffer's size, written once: the data file it holds has that many
// bytes (pictures: one byte per pixel).
using EndTextureBuffer = std::array<std::uint16_t, 2 * 256 * 256>;       // two 256 x 256 pages
using PortraitBuffer = std::array<std::uint16_t, 140 * 240>;             // 140 x 240 portraits
using PortraitAlphaBuffer = std::array<std::uint8_t, 140 * 240>;         // 140 x 240 opacity
using IntroTextBuffer = std::array<std::uint8_t, 6 * kIntroStripBytes>;  // six 400 x 64 strips
using StarSkyBuffer = std::array<std::uint8_t, 512 * 512>;               // 512 x 512 indices
using SkyboxBuffer = std::array<std::uint16_t, 6 * 256 * 256>;           // six 256 x 256 faces
using TextureBuffer = std::array<std::uint16_t, kTexturePixels>;         // 256 x 256
using CreditsBuffer = std::array<std::uint8_t, 4 * kPageBytes>;          // four 400 x 240 pages
// 1,280,000 bytes, of which the clip's 246 frames of 80 x 60 fill the first kClipFileBytes.
using ClipBuffer = std::array<std::uint8_t, 1'280'000>;
using GreetsBuffer = std::array<std::uint8_t, 15 * 400 * 96>;         // fifteen 400 x 96 strips
using EndScrollBuffer = std::array<std::uint8_t, 300 * 1200>;         // 300 x 1200 opacity
using LoadedMeshRecord = std::array<std::int32_t, kLoadedMeshWords>;  // the mesh file's Mesh record

// Every buffer the data files fill, one row each: its type (its size, above)
// and its name. The show reads each through a const reference of that name;
// start-up writes the buffer of the same name in namespace startup
// (asset_buffers_startup.h). Adding a buffer is adding a row.
#define VANTRELLE_DATA_BUFFERS(ROW)    \
  ROW(EndTextureBuffer, EndTexture)    \
  ROW(PortraitBuffer, FaceAPicture)    \
  ROW(PortraitBuffer, FaceBPicture)    \
  ROW(PortraitBuffer, FaceCPicture)    \
  ROW(PortraitBuffer, FaceDPicture)    \
  ROW(PortraitAlphaBuffer, FaceAAlpha) \
  ROW(PortraitAlphaBuffer, FaceBAlpha) \
  ROW(PortraitAlphaBuffer, FaceCAlpha) \
  ROW(PortraitAlphaBuffer, FaceDAlpha) \
  ROW(IntroTextBuffer, IntroTextPages) \
  ROW(StarSkyBuffer, StarSkyPicture)   \
  ROW(SkyboxBuffer, PlanetSkybox)      \
  ROW(TextureBuffer, RadialTexture)    \
  ROW(CreditsBuffer, CreditsPages)     \
  ROW(ClipBuffer, ClipFrames)          \
  ROW(GreetsBuffer, GreetsFileBuffer)  \
  ROW(TextureBuffer, PlanetMapTexture) \
  ROW(Palette565, PlanetMapPalette)    \
  ROW(Palette565, PlanetPalette)       \
  ROW(EndScrollBuffer, EndScrollAlpha) \
  ROW(LoadedMeshRecord, LoadedMesh)

#define VANTRELLE_READ_ONLY_VIEW(Type, name) extern const Type& name;
VANTRELLE_DATA_BUFFERS(VANTRELLE_READ_ONLY_VIEW)
#undef VANTRELLE_READ_ONLY_VIEW

}  // namespace vantrelle
