#include <gtest/gtest.h>

#include <cstdint>

#include "assets/asset_buffers.h"
#include "assets/build_effect_tables.h"
#include "assets/build_precomputed_tables.h"
#include "assets/precomputed_tables.h"
#include "assets/sin_tables.h"
#include "core/frame_buffer.h"
#include "effects/glow.h"
#include "effects/light_rays.h"
#include "effects/scaled_glow.h"
#include "effects/scaled_masked.h"
#include "effects/star_sky.h"

namespace vantrelle {
namespace {

// FNV-1a over the frame's bytes, low byte first.
std::uint64_t FrameHash(const FrameBuffer& f) {
  std::uint64_t h = 14695981039346656037ull;
  for (std::uint16_t p : f) {
    for (int shift : {0, 8}) {
      h ^= (p >> shift) & 0xFF;
      h *= 1099511628211ull;
    }
  }
  return h;
}

// A sparse star picture and a round, shaded planet, made here rather than read.
void PrepareSyntheticOpening() {
  std::uint32_t seed = 99;
  for (auto& b : StarSkyPicture) {
    seed = seed * 1664525u + 1013904223u;
    b = (seed >> 24) < 8 ? static_cast<std::uint8_t>(seed >> 16) : 0;
  }
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const int dx = x - 128;
      const int dy = y - 128;
      StagingB[y * 256 + x] = dx * dx + dy * dy < 100 * 100 ? static_cast<std::uint8_t>(1 + ((x ^ y) & 127)) : 0;
    }
  }
  for (int i = 0; i < 256; ++i) {
    PlanetPalette[i] = static_cast<std::uint16_t>(((i >> 4) << 11) | ((i >> 2) << 5) | (i >> 5));  // dim green-grey
  }
  BuildSinCosTables();
  BuildPrecomputedTables();
  BuildEffectTables();
}

// The opening's layers and rays at t ms, as the scene script places them.
FrameBuffer OpeningFrame(std::int32_t t) {
  FrameBuffer frame;
  DrawStarSky(frame, StarSkyPicture.data(), GreyRamp.data(), 0, t / 30);
  const std::int32_t d9 = t / 9;
  const std::int32_t y = 1600 - (37 * t) / 462;
  DrawScaledGlow(frame, GlowDisc.data(), 1920 - (d9 >> 1), y, d9 + 2560, d9 + 2560, 160, 160);
  const std::int32_t d5 = t / 5;
  DrawScaledMasked(frame, PlanetColours.data(), PlanetMask.data(), 1152 - (d5 >> 1), (17 * t) / 462 + 1280,
                   d5 + 4096, d5 + 4096, 256, 256);
  DrawLightRays(frame, 200, (y >> 4) + 80, 1, 240);
  return frame;
}

// Whole frames of our own effects, locked so that a change to any of them shows.
TEST(OpeningFrame, SyntheticOpeningFramesKeepTheirHashes) {
  PrepareSyntheticOpening();
  EXPECT_EQ(FrameHash(OpeningFrame(0)), 14551515405948042184ull);
  EXPECT_EQ(FrameHash(OpeningFrame(3500)), 2278635985852782129ull);
  EXPECT_EQ(FrameHash(OpeningFrame(7000)), 11165714624791778300ull);
  FrameBuffer glowed = OpeningFrame(7000);
  ApplyGlow(glowed);
  EXPECT_EQ(FrameHash(glowed), 11995022313952949559ull);
}

}  // namespace
}  // namespace vantrelle
