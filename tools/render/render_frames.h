#pragma once
// Loads the data once and renders the listed times, in order, into one frame
// buffer that starts black and is never cleared (as on the handheld, a
// scene's undrawn pixels keep the previous frame). Writes each frame.
#include <filesystem>
#include <string>
#include <vector>

#include "core/demo_clock.h"

namespace vantrelle::render {

struct RenderRequest {
  std::filesystem::path dataDirectory;
  std::vector<DemoClock> times;  // none negative
  std::string rawFile;           // "-" for standard output; or empty
  std::filesystem::path pngDirectory;  // used when rawFile is empty
};

enum class RenderStatus { kOk = 0, kFailed = 1, kDataError = 2 };  // also the exit status

// Any failure is described by one line in `error`.
RenderStatus RenderFrames(const RenderRequest& request, std::string& error);

}  // namespace vantrelle::render
