#include "tools/render/contact_sheet.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/frame_buffer.h"
#include "platform/write_png.h"
#include "timeline/load_and_precompute.h"
#include "tools/render/check_writable.h"
#include "tools/render/stop_signals.h"
#include "tools/render/write_frame.h"
#include "tools/text/text_painter.h"

namespace vantrelle::render {
namespace {

// The labels' font, from the Debian package fonts-dejavu-core.
constexpr const char* kLabelFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kLabelPixels = 13;            // font size: fits the band with room above and below
constexpr std::uint8_t kBackground = 0x20;  // dark grey, so black frames still show their edges
constexpr std::uint8_t kLabelInk = 0xE0;    // light grey letters

constexpr DemoClock kOpeningFlashMs = 2 * kBeatMs;  // the white flash that opens a segment lasts two beats

constexpr int kCellWidth = kFrameWidth + kSheetMargin;
constexpr int kCellHeight = kFrameHeight + kSheetLabelHeight + kSheetMargin;

// Blends the label colour over the sheet by the glyph's coverage; clipped.
void PaintLabelGlyph(RgbImage& sheet, const text::GlyphCoverage& glyph) {
  text::ForEachCoveredPixel(glyph, sheet.width, sheet.height, [&sheet](int x, int y, int coverage) {
    std::uint8_t* pixel = sheet.At(x, y);
    for (int i = 0; i < 3; ++i) {
      pixel[i] = static_cast<std::uint8_t>((kLabelInk * coverage + pixel[i] * (255 - coverage) + 127) / 255);
    }
  });
}

}  // namespace

PixelRect ContactSheetSize(int tiles) {
  const int rows = (tiles + kSheetColumns - 1) / kSheetColumns;
  return {0, 0, kSheetMargin + kSheetColumns * kCellWidth, kSheetMargin + rows * kCellHeight};
}

PixelRect ContactSheetFrame(int tile) {
  return {kSheetMargin + (tile % kSheetColumns) * kCellWidth, kSheetMargin + (tile / kSheetColumns) * kCellHeight,
          kFrameWidth, kFrameHeight};
}

PixelRect ContactSheetLabel(int tile) {
  const PixelRect frame = ContactSheetFrame(tile);
  return {frame.x, frame.y + kFrameHeight, kFrameWidth, kSheetLabelHeight};
}

DemoClock RepresentativeTime(const SegmentInfo& segment) {
  return segment.start + std::max((segment.end - segment.start) / 4, kOpeningFlashMs);
}

std::string ShowTimeText(DemoClock ms) {
  char text[24];
  std::snprintf(text, sizeof text, "%02d:%02d.%03d", static_cast<int>(ms / 60000), static_cast<int>(ms / 1000 % 60),
                static_cast<int>(ms % 1000));
  return text;
}

Status MakeContactSheet(const std::filesystem::path& dataDirectory, const std::filesystem::path& file) {
  CatchStopSignals();
  if (Status writable = CheckWritable(file); !writable.ok()) {
    return writable;
  }
  text::TextPainter painter;
  Status font = painter.Open(kLabelFont);
  if (font.ok()) font = painter.SetPixelSize(kLabelPixels);
  if (!font.ok()) {
    return Status::Failure(ErrorKind::kUnwritable, font.message);
  }
  if (Status loaded = LoadAndPrecompute(dataDirectory); !loaded.ok()) {
    return loaded;
  }

  const auto segments = ShowSegments();
  const int tiles = static_cast<int>(segments.size());
  const PixelRect size = ContactSheetSize(tiles);
  RgbImage sheet(size.width, size.height, kBackground);
  static FrameBuffer frame{};  // never cleared, as in the show
  frame.fill(0);
  // A stop signal ends it between frames, or before the sheet replaces the file.
  auto stop = [&](int done) {
    return Status::Failure(ErrorKind::kStopped, std::string("stopped by SIG") + sigabbrev_np(StopSignal()) + " after " +
                                                    std::to_string(done) + " of " + std::to_string(tiles) +
                                                    " frames; " + file.string() + " is left as it was");
  };
  for (int i = 0; i < tiles; ++i) {
    if (StopSignal() != 0) {
      return stop(i);
    }
    const SegmentInfo& segment = segments[static_cast<std::size_t>(i)];
    const DemoClock t = RepresentativeTime(segment);
    Timeline(frame, t);
    const PixelRect place = ContactSheetFrame(i);
    PasteImage(sheet, FrameToRgb(frame, 1), place.x, place.y);

    const PixelRect label = ContactSheetLabel(i);
    const int baseline = label.y + (kSheetLabelHeight + painter.Ascent()) / 2;
    const std::string caption = std::to_string(segment.number) + "   " + ShowTimeText(t) + "   " + segment.scene;
    painter.Draw(caption, label.x + 2, baseline, text::Spacing{},
                 [&sheet](const text::GlyphCoverage& glyph) { PaintLabelGlyph(sheet, glyph); });
  }
  const Status written =
      platform::WritePngRgb(file, sheet.pixels.data(), sheet.width, sheet.height, [] { return StopSignal() != 0; });
  return written.kind == ErrorKind::kStopped ? stop(tiles) : written;
}

}  // namespace vantrelle::render
