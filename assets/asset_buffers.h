#pragma once
// The buffers the data files are read into at start-up. All are static, zero
// at program start, and read-only once the show runs: the show sees them
// through const references, start-up writes them through
// asset_buffers_startup.h.
#include <array>
#include <cstddef>
#include <cstdint>

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
using GreetsBuffer = std::array<std::uint8_t, 15 * 400 * 96>;  // fifteen 400 x 96 strips
using EndScrollBuffer = std::array<std::uint8_t, 300 * 1200>;  // 300 x 1200 opacity

extern const EndTextureBuffer& EndTexture;
extern const PortraitBuffer& FaceAPicture;
extern const PortraitBuffer& FaceBPicture;
extern const PortraitBuffer& FaceCPicture;
extern const PortraitBuffer& FaceDPicture;
extern const PortraitAlphaBuffer& FaceAAlpha;
extern const PortraitAlphaBuffer& FaceBAlpha;
extern const PortraitAlphaBuffer& FaceCAlpha;
extern const PortraitAlphaBuffer& FaceDAlpha;
extern const IntroTextBuffer& IntroTextPages;
extern const StarSkyBuffer& StarSkyPicture;
extern const SkyboxBuffer& PlanetSkybox;
extern const TextureBuffer& RadialTexture;
extern const CreditsBuffer& CreditsPages;
extern const ClipBuffer& ClipFrames;
extern const GreetsBuffer& GreetsFileBuffer;
extern const TextureBuffer& PlanetMapTexture;
extern const Palette565& PlanetMapPalette;
extern const Palette565& PlanetPalette;
extern const EndScrollBuffer& EndScrollAlpha;

}  // namespace vantrelle
