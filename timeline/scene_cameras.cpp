#include "timeline/scene_cameras.h"

#include "assets/keyframe_tracks.h"
#include "core/sin_tables.h"

namespace vantrelle {

Camera TetraFieldCamera(DemoClock c) {
  // The camera breathes between -3.0 and -2.0 over half a sine turn.
  return {.angle1 = c / 7, .angle2 = c / 5 + 1024, .angle3 = c / 13, .depth = SinTable[(64 * c) / kBeatMs] - 196608};
}

Camera TetraTunnelCamera(DemoClock c) {
  return {.angle1 = SinTable[(c / 15) & 4095] >> 5, .angle2 = SinTable[(c / 16) & 4095] >> 5};
}

Camera PlanetSphereCamera(DemoClock c) {
  return {.angle1 = 512, .angle2 = c / 13, .angle3 = 128, .depth = (16384 * c) / kBeatMs - 720896};
}

Camera FieldUnderPlanetCamera(DemoClock c) {
  return {.angle1 = (22 * c) / kBeatMs + 896, .angle2 = 128, .angle3 = 64 - (4 * c) / kBeatMs, .depth = -196608};
}

Camera TetraSwarmCamera(DemoClock c) {
  const TrackSample& turn = TrackA[c];
  return {.angle1 = turn.angle1, .angle2 = turn.angle2, .angle3 = turn.angle3};
}

Camera StationCamera(int flight, DemoClock c) {
  const TrackSample& s = (flight == 0 ? TrackB : TrackC)[c];
  return {s.angle1, s.angle2, s.angle3, s.x, s.y, s.z, 0};
}

Camera EndSkyCamera(DemoClock c) { return {.angle1 = c / 5, .angle2 = c / 7, .angle3 = c / 3}; }

}  // namespace vantrelle
