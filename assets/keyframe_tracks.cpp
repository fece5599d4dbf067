#include "assets/keyframe_tracks.h"

namespace vantrelle {

Track TrackA{};
Track TrackB{};
Track TrackC{};

}  // namespace vantrelle
