#pragma once
// The buffers the data files are read into at start-up. All are static, zero
// at program start, and read-only once the show runs: the show sees them
// through const references, start-up writes them through
// asset_buffers_startup.h.
#include <array>
#include <cstdint>

namespace vantrelle {

using Palette565 = std::array<std::uint16_t, 256>;

extern const std::array<std::uint16_t, 131072>& EndTexture;   // two 256 x 256 pages
extern const std::array<std::uint16_t, 33600>& FaceAPicture;  // 140 x 240 portraits
extern const std::array<std::uint16_t, 33600>& FaceBPicture;
extern const std::array<std::uint16_t, 33600>& FaceCPicture;
extern const std::array<std::uint16_t, 33600>& FaceDPicture;
extern const std::array<std::uint8_t, 33600>& FaceAAlpha;  // 140 x 240 opacity
extern const std::array<std::uint8_t, 33600>& FaceBAlpha;
extern const std::array<std::uint8_t, 33600>& FaceCAlpha;
extern const std::array<std::uint8_t, 33600>& FaceDAlpha;
extern const std::array<std::uint8_t, 153600>& IntroTextPages;  // six 400 x 64 strips
extern const std::array<std::uint8_t, 262144>& StarSkyPicture;  // 512 x 512 indices
extern const std::array<std::uint16_t, 393216>& PlanetSkybox;   // six 256 x 256 faces
extern const std::array<std::uint16_t, 65536>& RadialTexture;
extern const std::array<std::uint8_t, 384000>& CreditsPages;      // four 400 x 240 pages
extern const std::array<std::uint8_t, 1280000>& ClipFrames;       // 246 frames of 80 x 60
extern const std::array<std::uint8_t, 576000>& GreetsFileBuffer;  // fifteen 400 x 96 strips
extern const std::array<std::uint16_t, 65536>& PlanetMapTexture;
extern const Palette565& PlanetMapPalette;
extern const Palette565& PlanetPalette;
extern const std::array<std::uint8_t, 360000>& EndScrollAlpha;  // 300 x 1200 opacity

inline constexpr int kClipFrameCount = 246;
inline constexpr int kIntroStripBytes = 400 * 64;
inline constexpr int kPageBytes = 400 * 240;

}  // namespace vantrelle
