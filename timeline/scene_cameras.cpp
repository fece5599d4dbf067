#include "timeline/scene_cameras.h"

#include "core/sin_tables.h"
#include "timeline/keyframe_tracks.h"

namespace vantrelle {

Camera TetraFieldCamera(DemoClock c) {
  // The camera breathes between -3.0 and -2.0 over half a sine turn.
  return {.aroundX = c / 7, .aroundY = c / 5 + 1024, .aroundZ = c / 13, .depth = SinTable[(64 * c) / kBeatMs] - 196608};
}

Camera TetraTunnelCamera(DemoClock c) {
  return {.aroundX = SinTable[(c / 15) & 4095] >> 5, .aroundY = SinTable[(c / 16) & 4095] >> 5};
}

Camera PlanetSphereCamera(DemoClock c) {
  return {.aroundX = 512, .aroundY = c / 13, .aroundZ = 128, .depth = (16384 * c) / kBeatMs - 720896};
}

Camera FieldUnderPlanetCamera(DemoClock c) {
  return {.aroundX = (22 * c) / kBeatMs + 896, .aroundY = 128, .aroundZ = 64 - (4 * c) / kBeatMs, .depth = -196608};
}

Camera TetraSwarmCamera(DemoClock c) {
  const TrackSample& turn = TrackA[c];
  return {.aroundX = turn.aroundX, .aroundY = turn.aroundY, .aroundZ = turn.aroundZ};
}

Camera StationCamera(int flight, DemoClock c) {
  const TrackSample& s = (flight == 0 ? TrackB : TrackC)[c];
  return {s.aroundX, s.aroundY, s.aroundZ, s.x, s.y, s.z, 0};
}

Camera EndSkyCamera(DemoClock c) { return {.aroundX = c / 5, .aroundY = c / 7, .aroundZ = c / 3}; }

}  // namespace vantrelle
