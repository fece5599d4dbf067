#pragma once
// The buffers the data files are read into at start-up. All are static, zero
// at program start, and read-only once the show runs.
#include <array>
#include <cstdint>

namespace vantrelle {

using Palette565 = std::array<std::uint16_t, 256>;

extern std::array<std::uint8_t, 131072> StagingA;   // 8-bit scratch while loading
extern std::array<std::uint8_t, 65536> StagingB;    // 8-bit scratch; the planet picture
extern std::array<std::uint8_t, 393216> SkyboxStaging;
extern std::array<std::uint16_t, 131072> EndTexture;  // two 256 x 256 pages
extern std::array<std::uint16_t, 33600> FaceAPicture;  // 140 x 240 portraits
extern std::array<std::uint16_t, 33600> FaceBPicture;
extern std::array<std::uint16_t, 33600> FaceCPicture;
extern std::array<std::uint16_t, 33600> FaceDPicture;
extern std::array<std::uint8_t, 33600> FaceAAlpha;  // 140 x 240 opacity
extern std::array<std::uint8_t, 33600> FaceBAlpha;
extern std::array<std::uint8_t, 33600> FaceCAlpha;
extern std::array<std::uint8_t, 33600> FaceDAlpha;
extern std::array<std::uint8_t, 153600> IntroTextPages;  // six 400 x 64 strips
extern std::array<std::uint8_t, 262144> StarSkyPicture;  // 512 x 512 indices
extern std::array<std::uint16_t, 393216> PlanetSkybox;   // six 256 x 256 faces
extern std::array<std::uint16_t, 65536> RadialTexture;
extern std::array<std::uint8_t, 384000> CreditsPages;      // four 400 x 240 pages
extern std::array<std::uint8_t, 1280000> ClipFrames;       // 246 frames of 80 x 60
extern std::array<std::uint8_t, 576000> GreetsFileBuffer;  // fifteen 400 x 96 strips
extern std::array<std::uint16_t, 65536> PlanetMapTexture;
extern Palette565 PlanetMapPalette;
extern Palette565 PlanetPalette;
extern std::array<std::uint8_t, 360000> EndScrollAlpha;  // 300 x 1200 opacity

inline constexpr int kClipFrameCount = 246;
inline constexpr int kIntroStripBytes = 400 * 64;
inline constexpr int kPageBytes = 400 * 240;

}  // namespace vantrelle
