#include <gtest/gtest.h>

#include <cstdint>

#include "assets/asset_buffers_startup.h"
#include "assets/build_precomputed_tables.h"
#include "assets/precomputed_tables.h"
#include "core/sin_tables.h"

namespace vantrelle {
namespace {

// Fills the loaded-picture buffers with recognisable content and builds.
void BuildFromKnownPictures() {
  BuildSinCosTables();
  for (std::size_t i = 0; i < startup::GreetsFileBuffer.size(); ++i) {
    startup::GreetsFileBuffer[i] = static_cast<std::uint8_t>(1 + i % 251);
  }
  for (std::size_t i = 0; i < startup::StarSkyPicture.size(); ++i) {
    startup::StarSkyPicture[i] = static_cast<std::uint8_t>(i * 7);
  }
  for (int i = 0; i < 256; ++i) {
    startup::PlanetPalette[i] = static_cast<std::uint16_t>(0x1000 + i);
  }
  for (std::size_t i = 0; i < startup::StagingB.size(); ++i) {
    startup::StagingB[i] = static_cast<std::uint8_t>(i % 3 == 0 ? 0 : i);
  }
  BuildPrecomputedTables();
}

TEST(BuildPrecomputedTables, GreetsPagesCentreEachStrip) {
  BuildFromKnownPictures();
  EXPECT_EQ(GreetsPages[28799], 0);
  EXPECT_EQ(GreetsPages[28800], GreetsFileBuffer[0]);
  EXPECT_EQ(GreetsPages[67199], GreetsFileBuffer[38399]);
  EXPECT_EQ(GreetsPages[67200], 0);
  EXPECT_EQ(GreetsPages[96000 * 14 + 28800], GreetsFileBuffer[38400 * 14]);
  EXPECT_EQ(GreetsPages[96000 * 14 + 67199], GreetsFileBuffer[575999]);
  EXPECT_EQ(GreetsPages[96000 * 15 - 1], 0);
}

TEST(BuildPrecomputedTables, ColourRamps) {
  BuildFromKnownPictures();
  EXPECT_EQ(GreyRamp[255], 0xFFFF);
  EXPECT_EQ(GreyRamp[128], 0x8410);
  EXPECT_EQ(BlueRamp[64], 0x6318);
  EXPECT_EQ(RedRamp[64], 0xC30C);
  EXPECT_EQ(BlueRamp[255], 0xFFFF);
  EXPECT_EQ(RedRamp[255], 0xFFFF);
  EXPECT_EQ(GreyRamp[0], 0);
  EXPECT_EQ(BlueRamp[0], 0);
  EXPECT_EQ(RedRamp[0], 0);
  EXPECT_EQ(BlueRamp[85] & 0x1F, 31);  // blue saturates from 85 on
  EXPECT_EQ(BlueRamp[84] & 0x1F, 31);  // 254 >> 3 is already 31
}

TEST(BuildPrecomputedTables, PlanetTablesAndSkyboxFaces) {
  BuildFromKnownPictures();
  EXPECT_EQ(PlanetMask[0], 0xFFFF);
  EXPECT_EQ(PlanetColours[0], 0x1000);
  EXPECT_EQ(PlanetMask[1], 0x0000);
  EXPECT_EQ(PlanetColours[1], 0x1001);
  for (int k : {0, 1, 2, 257, 65535}) {
    const int y = k / 256;
    const int x = k % 256;
    const std::uint16_t g = GreyRamp[StarSkyPicture[(2 * y) * 512 + 2 * x]];
    for (int face = 0; face < 6; ++face) {
      EXPECT_EQ(StarSkybox[65536 * face + k], g);
      if (face != 3) {
        EXPECT_EQ(PlanetStarSkybox[65536 * face + k], g);
      }
    }
    EXPECT_EQ(PlanetStarSkybox[65536 * 3 + k], (PlanetMask[k] & g) | PlanetColours[k]);
  }
  EXPECT_EQ(PlanetStarSkybox[65536 * 3 + 0], GreyRamp[StarSkyPicture[0]] | 0x1000);  // stars show through
}

TEST(BuildPrecomputedTables, GlowDiscAndSprite) {
  BuildFromKnownPictures();
  EXPECT_EQ(GlowDisc[80 * 256 + 80], 255);
  EXPECT_EQ(GlowDisc[80 * 256 + 32], 255);  // radius 48
  EXPECT_EQ(GlowDisc[80 * 256 + 31], 248);
  EXPECT_EQ(GlowDisc[80 * 256 + 0], 0);
  EXPECT_EQ(GlowDisc[0], 0);  // clamped, not wrapped
  EXPECT_EQ(GlowDisc[80 * 256 + 160], 0);  // outside the used square
  EXPECT_EQ(GlowSprite[127 * 256 + 127], 255);
  EXPECT_EQ(GlowSprite[127 * 256 + 128], 255);
  EXPECT_EQ(GlowSprite[128 * 256 + 127], 255);
  EXPECT_EQ(GlowSprite[128 * 256 + 128], 255);
  EXPECT_EQ(GlowSprite[127 * 256 + 125], 200);
  EXPECT_EQ(GlowSprite[0], 2);
  EXPECT_EQ(GlowSprite[255], 2);
  EXPECT_EQ(GlowSprite[255 * 256], 2);
  EXPECT_EQ(GlowSprite[65535], 2);
  EXPECT_EQ(XorTexture()[0], 0);
  EXPECT_EQ(XorTexture()[3 * 256 + 5], 6);
  EXPECT_EQ(XorTexture()[65535], 0);
}

TEST(BuildPrecomputedTables, BlurRamps) {
  BuildFromKnownPictures();
  EXPECT_EQ(TextBlurShort[0], 115);
  EXPECT_EQ(TextBlurShort[1374], 1);
  EXPECT_EQ(TextBlurShort[1375], 0);
  EXPECT_EQ(TextBlurShort[1848], 0);
  EXPECT_EQ(TextBlurShort[2321], 1);
  EXPECT_EQ(TextBlurShort[3695], 115);
  EXPECT_EQ(TextBlurLong[0], 115);
  EXPECT_EQ(TextBlurLong[3000], 0);
  EXPECT_EQ(TextBlurLong[7391], 115);
  EXPECT_EQ(TextBlurLong[7392 - 1375], 1);
}

TEST(BuildPrecomputedTables, RingPoints) {
  BuildFromKnownPictures();
  EXPECT_EQ(RingPoints[0], 0);
  EXPECT_EQ(RingPoints[1], -122880);
  EXPECT_EQ(RingPoints[2], 34816);
  EXPECT_EQ(RingPoints[512 * 3 + 0], 0);
  EXPECT_EQ(RingPoints[512 * 3 + 1], 131072);
  EXPECT_EQ(RingPoints[512 * 3 + 2], 8192);
  // Ring 1 is turned half a step and sits one eighth higher.
  EXPECT_EQ(RingPoints[16 * 3 + 0], (SinTable[128] * 144) >> 8);
  EXPECT_EQ(RingPoints[16 * 3 + 1], -114688);
  // The last point: flat ring 6, radius 224, no phase.
  EXPECT_EQ(RingPoints[623 * 3 + 0], (SinTable[256 * 15] * 224) >> 8);
  EXPECT_EQ(RingPoints[623 * 3 + 2], (CosTable[256 * 15] * 224) >> 8);
}

}  // namespace
}  // namespace vantrelle
