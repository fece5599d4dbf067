#include "timeline/scene_cameras.h"

#include "assets/keyframe_tracks.h"
#include "core/sin_tables.h"

namespace vantrelle {

SceneCamera TetraFieldCamera(DemoClock c) {
  // The camera breathes between -3.0 and -2.0 over half a sine turn.
  return {.angle1 = c / 7, .angle2 = c / 5 + 1024, .angle3 = c / 13, .depth = SinTable[(64 * c) / 462] - 196608};
}

SceneCamera TetraTunnelCamera(DemoClock c) {
  return {.angle1 = SinTable[(c / 15) & 4095] >> 5, .angle2 = SinTable[(c / 16) & 4095] >> 5};
}

SceneCamera PlanetSphereCamera(DemoClock c) {
  return {.angle1 = 512, .angle2 = c / 13, .angle3 = 128, .depth = (16384 * c) / 462 - 720896};
}

SceneCamera FieldUnderPlanetCamera(DemoClock c) {
  return {.angle1 = (22 * c) / 462 + 896, .angle2 = 128, .angle3 = 64 - (4 * c) / 462, .depth = -196608};
}

SceneCamera TetraSwarmCamera(DemoClock c) {
  const TrackSample& turn = TrackA[c];
  return {.angle1 = turn.angle1, .angle2 = turn.angle2, .angle3 = turn.angle3};
}

SceneCamera StationCamera(int flight, DemoClock c) {
  const TrackSample& s = (flight == 0 ? TrackB : TrackC)[c];
  return {s.angle1, s.angle2, s.angle3, s.x, s.y, s.z, 0};
}

SceneCamera EndSkyCamera(DemoClock c) { return {.angle1 = c / 5, .angle2 = c / 7, .angle3 = c / 3}; }

}  // namespace vantrelle
