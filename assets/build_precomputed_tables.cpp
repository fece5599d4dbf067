#include "assets/build_precomputed_tables.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "assets/asset_buffers_startup.h"
#include "assets/precomputed_tables.h"
#include "core/sin_tables.h"

namespace vantrelle {
namespace {

constexpr int kStripBytes = 400 * 96;   // one greets strip as stored in the file
constexpr int kStripOffset = 400 * 72;  // rows 72..167 centre the strip in a page
constexpr int kGreetsPageCount = 15;
constexpr int kTextureSide = 256;
constexpr int kTextureTexels = kTextureSide * kTextureSide;

constexpr std::uint16_t Pack565(int red8, int green8, int blue8) {
  return static_cast<std::uint16_t>(((red8 >> 3) << 11) | ((green8 >> 2) << 5) | (blue8 >> 3));
}

void SpreadGreetsPages() {
  startup::GreetsPages.fill(0);
  for (int j = 0; j < kGreetsPageCount; ++j) {
    std::memcpy(startup::GreetsPages.data() + kPageBytes * j + kStripOffset, GreetsFileBuffer.data() + kStripBytes * j,
                kStripBytes);
  }
}

void BuildColourRamps() {
  for (int i = 0; i < 256; ++i) {
    startup::GreyRamp[i] = Pack565(i, i, i);
    // A quarter sine wave: c1 saturates at i = 85, c2 never quite reaches 255.
    const std::int32_t s = SinTable[4 * i];
    const std::int32_t c1 = std::min(255, (s << 9) >> 16);
    const std::int32_t c2 = std::min(255, (s * 255) >> 16);
    startup::BlueRamp[i] = Pack565(c2, c2, c1);
    startup::RedRamp[i] = Pack565(c1, c2, c2);
  }
}

void BuildPlanetTables() {
  for (int k = 0; k < kTextureTexels; ++k) {
    const std::uint8_t p = startup::StagingB[k];
    startup::PlanetColours[k] = PlanetPalette[p];
    startup::PlanetMask[k] = p == 0 ? 0xFFFF : 0x0000;  // index 0 is the planet's transparent colour
  }
}

void BuildSkyboxTextures() {
  constexpr int kPlanetFace = 3;
  for (int y = 0; y < kTextureSide; ++y) {
    for (int x = 0; x < kTextureSide; ++x) {
      const int k = y * kTextureSide + x;
      // Every second pixel of every second row of the 512 x 512 star sky.
      const std::uint16_t g = startup::GreyRamp[StarSkyPicture[(2 * y) * 512 + 2 * x]];
      for (int face = 0; face < 6; ++face) {
        startup::StarSkybox[kTextureTexels * face + k] = g;
        startup::PlanetStarSkybox[kTextureTexels * face + k] =
            face == kPlanetFace ? static_cast<std::uint16_t>((startup::PlanetMask[k] & g) | startup::PlanetColours[k])
                                : g;
      }
    }
  }
}

void BuildGlowDisc() {
  startup::GlowDisc.fill(0);
  constexpr int kDiameter = 160;
  constexpr int kCentre = 80;
  for (int y = 0; y < kDiameter; ++y) {
    for (int x = 0; x < kDiameter; ++x) {
      const int squares = (y - kCentre) * (y - kCentre) + (x - kCentre) * (x - kCentre);
      const double d = std::sqrt(static_cast<double>(squares));
      const int v = static_cast<int>((80.0 - d) * 8.0);
      startup::GlowDisc[y * kTextureSide + x] = static_cast<std::uint8_t>(std::clamp(v, 0, 255));
    }
  }
}

template <std::size_t L>
void FillBlurRamp(std::array<std::int16_t, L>& ramp) {
  constexpr int kRampMs = 1386;  // three beats
  ramp.fill(0);
  for (int d = 0; d < kRampMs; ++d) {
    const auto v = static_cast<std::int16_t>((kRampMs - d) / 12);
    ramp[d] = v;
    ramp[L - 1 - d] = v;
  }
}

void BuildRingPoints() {
  constexpr int kPointsPerRing = 16;
  constexpr int kTallRings = 32;
  constexpr int kFlatRings = 7;
  // Radius of each tall ring, 1/256 unit: a bulge, a waist, then a wide body.
  constexpr std::int32_t kTallRadius[kTallRings] = {136, 144, 144, 136, 128, 128, 128, 128, 128, 144, 160,
                                                    176, 192, 208, 224, 240, 256, 256, 256, 256, 256, 256,
                                                    256, 256, 256, 256, 256, 256, 256, 256, 256, 240};
  int n = 0;
  auto addRing = [&n](std::int32_t radius, std::int32_t height, int phase) {
    for (int j = 0; j < kPointsPerRing; ++j) {
      const int a = 256 * j + phase;
      startup::RingPoints[n++] = (SinTable[a] * radius) >> 8;
      startup::RingPoints[n++] = height;
      startup::RingPoints[n++] = (CosTable[a] * radius) >> 8;
    }
  };
  for (int g = 0; g < kTallRings; ++g) {
    addRing(kTallRadius[g], -122880 + 8192 * g, (g & 1) ? 128 : 0);  // -1.875 up in steps of 0.125
  }
  for (int k = 0; k < kFlatRings; ++k) {
    addRing(32 * (k + 1), 131072, (k & 1) ? 128 : 0);  // the lid at height 2.0
  }
}

void BuildGlowSpriteAndXorTexture() {
  for (int y = 0; y < kTextureSide; ++y) {
    for (int x = 0; x < kTextureSide; ++x) {
      // Distance in single precision, root in double, as the show always did.
      const float dx = static_cast<float>(x) - 127.5f;
      const float dy = static_cast<float>(y) - 127.5f;
      const float q = dx * dx + dy * dy;
      const double d = std::sqrt(static_cast<double>(q));
      const int v = static_cast<int>(512.0 / d);
      const int k = y * kTextureSide + x;
      startup::GlowSprite[k] = static_cast<std::uint8_t>(std::min(255, v));
      startup::XorPattern[k] = static_cast<std::uint8_t>(x ^ y);
    }
  }
}

}  // namespace

void BuildPrecomputedTables() {
  SpreadGreetsPages();
  BuildColourRamps();
  BuildPlanetTables();
  BuildSkyboxTextures();
  BuildGlowDisc();
  FillBlurRamp(startup::TextBlurLong);
  FillBlurRamp(startup::TextBlurShort);
  BuildRingPoints();
  BuildGlowSpriteAndXorTexture();
}

}  // namespace vantrelle
