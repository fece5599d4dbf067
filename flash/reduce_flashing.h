#pragma once
// The reduced-flash filter: inside the map's stretches the picture's range is
// compressed in linear light toward a grey, so that no area's mean luminance
// or red quantity can swing far enough to count as a flash; the compression
// fades in and out over kRampMs as a smooth function of time alone. Outside
// them the picture is left exactly as drawn. Integer arithmetic only, so
// every build makes the same bytes.
#include <cstdint>

#include "core/demo_clock.h"
#include "core/frame_buffer.h"
#include "flash/flash_map.h"

namespace vantrelle::flash {

struct Reduction {
  std::uint32_t scale = kFullScale;  // x4096
  std::uint32_t level = 0;           // linear light x65536

  bool Exact() const { return scale >= kFullScale; }
};

// The filter's strength at `t`: exact outside every stretch and its ramps.
Reduction ReductionAt(DemoClock t, const FlashMap& map);

// The frame the viewer sees at `t`, written into `out` (never `exact`, which
// the engine draws the next frame over). Outside the stretches `out` is a
// copy of `exact`; callers may present `exact` itself when ReductionAt(t) is Exact().
void ReduceFlashing(DemoClock t, const FrameBuffer& exact, const FlashMap& map, FrameBuffer& out);

// The same for a known reduction.
void ApplyReduction(const Reduction& reduction, const FrameBuffer& exact, FrameBuffer& out);

}  // namespace vantrelle::flash
