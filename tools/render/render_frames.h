#pragma once
// Loads the data once and renders the listed times, in order, into one frame
// buffer that starts black and is never cleared (as on the handheld, a
// scene's undrawn pixels keep the previous frame). Writes each frame: raw,
// as PNG files, or into a video through ffmpeg.
#include <filesystem>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "core/demo_clock.h"
#include "core/status.h"
#include "flash/flash_map.h"
#include "tools/render/frame_times.h"
#include "tools/render/video_arguments.h"

namespace vantrelle::render {

// Raw RGB565 frames, concatenated, into a file or a stream; "-" is standard output.
struct RawOutput {
  std::string file;
  bool portrait = false;  // frames upright, 240 x 400, as the handheld's display showed them
};

// One PNG file per frame, named by its time, in a folder made if missing.
struct PngOutput {
  std::filesystem::path folder;
  int scale = 1;  // whole-factor enlargement, nearest neighbour
  bool portrait = false;
};

// Where the frames go: exactly one kind of output. A video's soundtrack is
// looked up in the data directory; without it the video is silent and a
// warning says so.
using RenderOutput = std::variant<RawOutput, PngOutput, VideoSettings>;

struct RenderRequest {
  std::filesystem::path dataDirectory;
  FrameTimes times;  // none negative; for a video, from its `from` at its `fps`
  RenderOutput output;
  bool quiet = false;  // no progress on standard error
  // With a map, frames go out through the reduced-flash filter; the frame drawn stays exact.
  std::shared_ptr<const flash::FlashMap> reduceFlashing;
};

// Whether the output takes its frames upright (240 x 400): --portrait, or a vertical video.
bool Upright(const RenderOutput& output);

// Any failure is one line, and its kind says which side failed: the data
// set's kind (kNotFound, kUnreadable, kMalformed) when it cannot be loaded;
// kUnwritable when the output cannot be made (its target, ffmpeg, the label
// font); kStopped after a stop signal (see StopSignal). Files are written
// beside their target and renamed over it once complete, so any failure
// leaves the target as it was.
Status RenderFrames(const RenderRequest& request);

}  // namespace vantrelle::render
