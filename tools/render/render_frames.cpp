#include "tools/render/render_frames.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "core/frame_buffer.h"
#include "flash/reduce_flashing.h"
#include "platform/turn_display_to_landscape.h"
#include "timeline/load_and_precompute.h"
#include "timeline/timeline.h"
#include "tools/render/frame_sinks.h"
#include "tools/render/progress.h"
#include "tools/render/stop_signals.h"

namespace vantrelle::render {
namespace {

// The file a stop leaves as it was, or "" when frames go to standard output or PNG files.
std::string KeptTarget(const RenderRequest& request) {
  if (!request.video.file.empty()) {
    return request.video.file.string();
  }
  return request.rawFile == "-" ? std::string() : request.rawFile;
}

}  // namespace

Status RenderFrames(const RenderRequest& request) {
  CatchStopSignals();
  // A closed pipe on --raw - makes the write fail, reported in one line, rather than kill us.
  std::signal(SIGPIPE, SIG_IGN);
  const std::unique_ptr<FrameSink> sink = MakeFrameSink(request);
  if (Status writable = sink->Check(); !writable.ok()) {
    return writable;
  }
  if (Status loaded = LoadAndPrecompute(request.dataDirectory); !loaded.ok()) {
    return loaded;
  }

  const std::int64_t count = request.times.Count();
  // An interrupted render leaves no partial file: the target keeps what it had.
  auto stop = [&](std::int64_t done) {
    sink->Discard();
    const std::string target = KeptTarget(request);
    return Status::Failure(ErrorKind::kStopped, std::string("stopped by SIG") + sigabbrev_np(StopSignal()) + " after " +
                                                    std::to_string(done) + " of " + std::to_string(count) + " frames" +
                                                    (target.empty() ? "" : "; " + target + " is left as it was"));
  };
  if (Status opened = sink->Open(); !opened.ok()) {
    return opened.kind == ErrorKind::kStopped ? stop(0) : opened;
  }

  const auto started = std::chrono::steady_clock::now();
  auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(); };
  Progress progress(stderr, ProgressStyleFor(request.quiet, stderr, count), count);
  progress.Start();

  static FrameBuffer frame{};    // one frame for the whole run, never cleared
  static FrameBuffer upright{};  // the frame turned, for --portrait: 240 pixels a row
  static FrameBuffer reduced{};  // the frame through the reduced-flash filter
  frame.fill(0);
  std::int64_t done = 0;
  for (std::int64_t n = 0; n < count; ++n) {
    if (StopSignal() != 0) {
      return stop(done);
    }
    const DemoClock t = request.times.At(n);
    // Once the show is over Timeline leaves the picture as it was.
    static_cast<void>(Timeline(frame, t));
    const FrameBuffer* shown = &frame;
    if (request.reduceFlashing) {
      flash::ReduceFlashing(t, frame, *request.reduceFlashing, reduced);
      shown = &reduced;
    }
    if (request.portrait) {
      platform::TurnLandscapeToDisplay(shown->data(), upright.data());
      shown = &upright;
    }
    if (Status written = sink->Write(t, *shown); !written.ok()) {
      return written.kind == ErrorKind::kStopped ? stop(done) : written;
    }
    progress.Update(++done, elapsed());
  }
  if (StopSignal() != 0) {
    return stop(done);
  }
  if (Status finished = sink->Finish(); !finished.ok()) {
    return finished.kind == ErrorKind::kStopped ? stop(done) : finished;
  }
  progress.Finish(elapsed());
  return {};
}

}  // namespace vantrelle::render
