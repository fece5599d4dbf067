#pragma once
// Where the render tool's frames go: raw RGB565 (a file, a stream or
// standard output), one PNG file per frame, or a video made by ffmpeg. Each
// sink is checked before the data set is loaded, opened after, given the
// frames in order, and then either finished (the output is complete) or
// discarded (its target is left as it was).
#include <memory>

#include "core/demo_clock.h"
#include "core/frame_buffer.h"
#include "core/status.h"
#include "tools/render/render_frames.h"

namespace vantrelle::render {

// A kStopped status from a sink carries no message: a stop signal cut its
// work short, and the caller says what was done.
class FrameSink {
 public:
  virtual ~FrameSink() = default;

  // Whether the target could be written, asked before any work is done.
  virtual Status Check() { return {}; }
  // Makes the output ready for the first frame.
  virtual Status Open() = 0;
  // `shown` is the frame as written: landscape, or upright for --portrait.
  virtual Status Write(DemoClock t, const FrameBuffer& shown) = 0;
  // Completes the output; a failure leaves the target as it was.
  virtual Status Finish() = 0;
  // Drops whatever was begun; the target keeps what it had.
  virtual void Discard() {}
};

// The sink for the request's kind of output.
std::unique_ptr<FrameSink> MakeFrameSink(const RenderRequest& request);

}  // namespace vantrelle::render
