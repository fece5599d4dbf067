#pragma once
// Synthetic opening-scene data for benchmarks and tests: a sparse star picture, a
// round planet, and the layers composed the way the opening draws them at t.
#include <cstdint>

#include "assets/asset_buffers_startup.h"
#include "assets/build_effect_tables.h"
#include "assets/build_precomputed_tables.h"
#include "assets/precomputed_tables.h"
#include "core/frame_buffer.h"
#include "core/sin_tables.h"
#include "effects/scaled_glow.h"
#include "effects/scaled_masked.h"
#include "effects/star_sky.h"

namespace vantrelle::synthetic {

// Rebuilds the tables every call, so that what other cases left in them never matters.
inline void PrepareOpeningTables() {
  std::uint32_t seed = 99;
  for (auto& b : startup::StarSkyPicture) {
    seed = seed * 1664525u + 1013904223u;
    b = (seed >> 24) < 8 ? static_cast<std::uint8_t>(seed >> 16) : 0;  // about 3% stars
  }
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const int dx = x - 128;
      const int dy = y - 128;
      startup::StagingB[y * 256 + x] = dx * dx + dy * dy < 100 * 100 ? static_cast<std::uint8_t>(1 + ((x ^ y) & 127)) : 0;
    }
  }
  for (int i = 0; i < 256; ++i) {
    startup::PlanetPalette[i] = static_cast<std::uint16_t>(((i >> 4) << 11) | ((i >> 2) << 5) | (i >> 5));  // dim green-grey
  }
  BuildSinCosTables();
  BuildPrecomputedTables();
  BuildEffectTables();
}

// The layers of the opening at t ms, before the light rays.
inline void ComposeOpeningFrame(FrameBuffer& frame, std::int32_t t) {
  DrawStarSky(frame, StarSkyPicture.data(), GreyRamp.data(), 0, t / 30);
  const std::int32_t d9 = t / 9;
  const std::int32_t y = 1600 - (37 * t) / 462;
  DrawScaledGlow(frame, GlowDisc.data(), 1920 - (d9 >> 1), y, d9 + 2560, d9 + 2560, 160, 160);
  const std::int32_t d5 = t / 5;
  DrawScaledMasked(frame, PlanetColours.data(), PlanetMask.data(), 1152 - (d5 >> 1), (17 * t) / 462 + 1280,
                   d5 + 4096, d5 + 4096, 256, 256);
}

// Where the light rays are centred at t: on the glow disc.
inline std::int32_t OpeningRayRow(std::int32_t t) { return ((1600 - (37 * t) / 462) >> 4) + 80; }

inline constexpr std::int32_t kOpeningTime = 7000;  // ms, halfway through the opening

}  // namespace vantrelle::synthetic
