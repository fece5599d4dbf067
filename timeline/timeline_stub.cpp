#include "timeline/timeline.h"

namespace vantrelle {

// Stands in until the scene script lands: draws nothing.
int Timeline(FrameBuffer& /*frame*/, DemoClock t) { return t < kShowLengthMs ? 1 : 0; }

}  // namespace vantrelle
