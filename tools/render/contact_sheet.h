#pragma once
// The whole show at a glance: one frame of every segment, at its own size,
// in a grid of five columns, each labelled below with its segment number,
// time (mm:ss.mmm) and scene, written as one PNG.
#include <filesystem>
#include <string>

#include "core/demo_clock.h"
#include "timeline/timeline.h"
#include "tools/render/render_frames.h"

namespace vantrelle::render {

struct PixelRect {
  int x, y, width, height;
};

inline constexpr int kSheetColumns = 5;
inline constexpr int kSheetMargin = 8;        // pixels around and between tiles
inline constexpr int kSheetLabelHeight = 22;  // pixels of label band under each frame

// The sheet's size for `tiles` tiles, and where tile i's frame and label go.
PixelRect ContactSheetSize(int tiles);
PixelRect ContactSheetFrame(int tile);
PixelRect ContactSheetLabel(int tile);

// The time shown for a segment: a quarter of the way in, and never inside
// the two-beat white flash that opens many segments.
DemoClock RepresentativeTime(const SegmentInfo& segment);

// "04:11.328" for 251,328 ms.
std::string ShowTimeText(DemoClock ms);

// Renders every segment's representative time, in order, into one frame
// buffer, and writes the sheet to `file`. Failures as RenderFrames (a label
// font that cannot be loaded is kUnwritable: the sheet cannot be made).
Status MakeContactSheet(const std::filesystem::path& dataDirectory, const std::filesystem::path& file);

}  // namespace vantrelle::render
