#include "tools/render/render_frames.h"

#include <cstdio>
#include <memory>
#include <system_error>

#include "assets/load_and_precompute.h"
#include "core/frame_buffer.h"
#include "timeline/timeline.h"
#include "tools/render/write_frame.h"

namespace vantrelle::render {
namespace {

struct CloseFile {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string PngName(DemoClock t) {
  char name[32];
  std::snprintf(name, sizeof name, "t%06d.png", static_cast<int>(t));
  return name;
}

}  // namespace

RenderStatus RenderFrames(const RenderRequest& request, std::string& error) {
  error = LoadAndPrecompute(request.dataDirectory);
  if (!error.empty()) {
    return RenderStatus::kDataError;
  }

  std::unique_ptr<std::FILE, CloseFile> ownedRaw;
  std::FILE* raw = nullptr;
  if (request.rawFile == "-") {
    raw = stdout;
  } else if (!request.rawFile.empty()) {
    ownedRaw.reset(std::fopen(request.rawFile.c_str(), "wb"));
    raw = ownedRaw.get();
    if (raw == nullptr) {
      error = "cannot write " + request.rawFile;
      return RenderStatus::kFailed;
    }
  } else {
    std::error_code made;
    std::filesystem::create_directories(request.pngDirectory, made);
    if (made) {
      error = "cannot make directory " + request.pngDirectory.string() + ": " + made.message();
      return RenderStatus::kFailed;
    }
  }

  static FrameBuffer frame{};  // one frame for the whole run, never cleared
  static FrameBuffer previous{};
  frame.fill(0);
  for (DemoClock t : request.times) {
    // Once the show is over the picture stays as it was.
    previous = frame;
    if (Timeline(frame, t) == 0) {
      frame = previous;
    }
    if (raw != nullptr) {
      if (!WriteRawFrame(raw, frame)) {
        error = "cannot write frame " + std::to_string(t) + " to " + request.rawFile;
        return RenderStatus::kFailed;
      }
    } else if (!WritePngFrame(request.pngDirectory / PngName(t), frame)) {
      error = "cannot write " + (request.pngDirectory / PngName(t)).string();
      return RenderStatus::kFailed;
    }
  }
  if (raw != nullptr && std::fflush(raw) != 0) {
    error = "cannot write " + request.rawFile;
    return RenderStatus::kFailed;
  }
  return RenderStatus::kOk;
}

}  // namespace vantrelle::render
