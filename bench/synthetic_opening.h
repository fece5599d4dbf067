#pragma once
// Synthetic opening-scene data for the benchmarks: a sparse star picture, a
// round planet, and the opening drawn over them where the score places it.
#include <cstdint>

#include "assets/asset_buffers.h"
#include "assets/asset_buffers_startup.h"
#include "assets/build_effect_tables.h"
#include "assets/build_precomputed_tables.h"
#include "assets/precomputed_tables.h"
#include "core/frame_buffer.h"
#include "core/sin_tables.h"
#include "effects/scaled_glow.h"
#include "effects/scaled_masked.h"
#include "effects/star_sky.h"
#include "timeline/timeline.h"

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
      startup::StagingB[y * 256 + x] =
          dx * dx + dy * dy < 100 * 100 ? static_cast<std::uint8_t>(1 + ((x ^ y) & 127)) : 0;
    }
  }
  for (int i = 0; i < 256; ++i) {
    startup::PlanetPalette[i] =
        static_cast<std::uint16_t>(((i >> 4) << 11) | ((i >> 2) << 5) | (i >> 5));  // dim green-grey
  }
  BuildSinCosTables();
  BuildPrecomputedTables();
  BuildEffectTables();
}

// The opening at t ms as the score draws it, up to the light rays, whose
// call is returned instead of drawn.
inline LightRaysCall ComposeOpeningFrame(FrameBuffer& frame, std::int32_t t) {
  const OpeningLayout layout = OpeningLayoutAt(t);
  DrawStarSky(frame, StarSkyPicture.data(), GreyRamp.data(), 0, layout.starSkyRow);
  DrawScaledGlow(frame, GlowDisc.data(), layout.glow);
  DrawScaledMasked(frame, PlanetColours.data(), PlanetMask.data(), layout.planet);
  return layout.rays;
}

inline constexpr std::int32_t kOpeningTime = 7000;  // ms, halfway through the opening

}  // namespace vantrelle::synthetic
