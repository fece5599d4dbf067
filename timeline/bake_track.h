#pragma once
// Bakes a camera motion into one sample per millisecond: a uniform cubic
// B-spline through key tables, evaluated in double precision at start-up.
#include <array>
#include <span>

#include "timeline/keyframe_tracks.h"

namespace vantrelle {

// x, y, z (units), then three angles in 1/4096 turn, not reduced to one turn.
using TrackKey = std::array<double, 6>;

// Writes segmentCount segments of the spline through `keys` (segment s uses
// keys s..s+3) from sample 0 on, stepping w by 1/stepsPerSegment until it
// reaches 1.0; samples past the end of `output` are dropped. Segments whose
// keys are missing, and everything when segmentCount <= 0, are not written.
void BakeTrack(Track& output, std::span<const TrackKey> keys, int segmentCount, int stepsPerSegment);

// TrackA, TrackB and TrackC from the show's key tables.
void BakeAllTracks();

// Writable views of the tracks of keyframe_tracks.h, for the start-up code
// that bakes them; everything else reads them through const references.
namespace startup {
extern Track TrackA;
extern Track TrackB;
extern Track TrackC;
}  // namespace startup

}  // namespace vantrelle
