#include "timeline/keyframe_tracks.h"

#include "timeline/bake_track.h"

namespace vantrelle {

namespace startup {

Track TrackA{};
Track TrackB{};
Track TrackC{};

}  // namespace startup

const Track& TrackA = startup::TrackA;
const Track& TrackB = startup::TrackB;
const Track& TrackC = startup::TrackC;

}  // namespace vantrelle
