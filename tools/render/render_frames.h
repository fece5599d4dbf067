#pragma once
// Loads the data once and renders the listed times, in order, into one frame
// buffer that starts black and is never cleared (as on the handheld, a
// scene's undrawn pixels keep the previous frame). Writes each frame: raw,
// as PNG files, or into a video through ffmpeg.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/demo_clock.h"
#include "core/status.h"
#include "flash/flash_map.h"
#include "tools/render/frame_times.h"
#include "tools/render/video_arguments.h"

namespace vantrelle::render {

struct RenderRequest {
  std::filesystem::path dataDirectory;
  FrameTimes times;                    // none negative; for a video, from video.from at video.fps
  std::string rawFile;                 // "-" for standard output; or empty
  std::filesystem::path pngDirectory;  // used when rawFile is empty and there is no video
  // Used when video.file is set: its container, range, rate and scale. The
  // soundtrack is looked up in the data directory; without it the video is
  // silent and a warning says so.
  VideoSettings video;
  int pngScale = 1;       // whole-factor enlargement of PNG files
  bool quiet = false;     // no progress on standard error
  bool portrait = false;  // frames upright, 240 x 400 (the handheld's display): raw, PNG, a vertical video
  // With a map, frames go out through the reduced-flash filter; the frame drawn stays exact.
  std::shared_ptr<const flash::FlashMap> reduceFlashing;
};

// Any failure is one line, and its kind says which side failed: the data
// set's kind (kNotFound, kUnreadable, kMalformed) when it cannot be loaded;
// kUnwritable when the output cannot be made (its target, ffmpeg, the label
// font); kStopped after a stop signal (see StopSignal). Files are written
// beside their target and renamed over it once complete, so any failure
// leaves the target as it was.
Status RenderFrames(const RenderRequest& request);

}  // namespace vantrelle::render
