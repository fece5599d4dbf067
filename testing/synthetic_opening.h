#pragma once
// Synthetic opening-scene data for benchmarks and tests: a sparse star picture, a
// round planet, and the opening drawn over them by the score itself.
#include <cstdint>

#include "assets/asset_buffers_startup.h"
#include "assets/build_effect_tables.h"
#include "assets/build_precomputed_tables.h"
#include "assets/precomputed_tables.h"
#include "core/frame_buffer.h"
#include "core/sin_tables.h"
#include "effects/star_sky.h"
#include "timeline/scene_operations.h"
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

// Where the score places the opening's layers at t: the scaled layers, and
// the rays' centre, mode and threshold.
struct RayCall {
  std::int32_t column, row, mode, threshold;
};
struct OpeningLayers {
  ScaledLayer glow, planet;
  RayCall rays;
};

// Runs the opening at t ms through the score with the scaled layers and the
// rays recorded instead of drawn; the star sky is drawn into `frame`.
inline OpeningLayers RecordOpening(FrameBuffer& frame, std::int32_t t) {
  using i32 = std::int32_t;
  static OpeningLayers seen{};
  SceneOperations ops = ProductionOperations();
  ops.DrawScaledGlow = [](FrameBuffer&, const std::uint8_t*, const ScaledLayer& layer) { seen.glow = layer; };
  ops.DrawScaledMasked = [](FrameBuffer&, const std::uint16_t*, const std::uint16_t*, const ScaledLayer& layer) {
    seen.planet = layer;
  };
  ops.DrawLightRays = [](FrameBuffer&, i32 column, i32 row, i32 mode, i32 threshold) {
    seen.rays = {column, row, mode, threshold};
  };
  DrawScene(frame, t, ops);
  return seen;
}

// The opening at t ms as the score draws it, up to the light rays, whose
// arguments are returned instead of drawn.
inline RayCall ComposeOpeningFrame(FrameBuffer& frame, std::int32_t t) {
  static RayCall rays{};
  SceneOperations ops = ProductionOperations();
  ops.DrawLightRays = [](FrameBuffer&, std::int32_t column, std::int32_t row, std::int32_t mode,
                         std::int32_t threshold) {
    rays = {column, row, mode, threshold};
  };
  DrawScene(frame, t, ops);
  return rays;
}

inline constexpr std::int32_t kOpeningTime = 7000;  // ms, halfway through the opening

}  // namespace vantrelle::synthetic
