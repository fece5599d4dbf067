#pragma once
// Camera motions baked per millisecond at start-up; the show only reads them
// (bake_track.h writes them).
#include <array>
#include <cstdint>

namespace vantrelle {

// Position in 16.16, then the turns about x, y and z (BuildRotation's a, b, c), 0..4095.
struct TrackSample {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t z = 0;
  std::int32_t aroundX = 0;
  std::int32_t aroundY = 0;
  std::int32_t aroundZ = 0;
  friend bool operator==(const TrackSample&, const TrackSample&) = default;
};

inline constexpr int kTrackSamples = 14784;  // 32 beats of 462 ms
using Track = std::array<TrackSample, kTrackSamples>;

extern const Track& TrackA;  // swarm rotation, 177,408 - 192,191 ms
extern const Track& TrackB;  // loaded-mesh camera, 192,192 - 206,975 ms
extern const Track& TrackC;  // loaded-mesh camera, 206,976 - 221,759 ms

}  // namespace vantrelle
