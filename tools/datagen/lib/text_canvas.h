#pragma once
// Anti-aliased text in the show's bold face, drawn into 8-bit coverage
// canvases (0 = empty, 255 = fully covered) through FreeType.
#include <cstdint>
#include <string>
#include <vector>

#include "core/status.h"
#include "tools/text/text_painter.h"

namespace vantrelle::datagen {

inline constexpr const char* kBoldFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

struct Canvas {
  int width = 0, height = 0;
  std::vector<std::uint8_t> pixels;  // rows top to bottom
  Canvas(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, 0) {}
  std::uint8_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The show's bold face over the shared painter, drawing into canvases.
class TextPainter {
 public:
  // Opens the font; a failure is kept in status().
  TextPainter();

  // Ok, or why the letters cannot be drawn (the font cannot be opened or
  // sized). After a failure nothing is drawn and every size reads 0.
  const Status& status() const { return status_; }

  // Width in pixels of `text` (ASCII) at `pixelSize`, with `tracking` extra
  // pixels between letters.
  int Measure(const std::string& text, int pixelSize, int tracking = 0);
  // Draws `text` centred on column `centreX` with its baseline on row
  // `baseline`; coverage is combined with what is there by taking the larger.
  void DrawCentred(Canvas& canvas, const std::string& text, int pixelSize, int centreX, int baseline, int tracking = 0);
  // Ascent of capitals at `pixelSize`, for placing lines.
  int CapHeight(int pixelSize);

 private:
  bool SetSize(int pixelSize);  // false once status() is a failure
  text::TextPainter painter_;
  Status status_;
  int size_ = 0;
};

// Box blur of radius r (a soft glow layer for text).
Canvas BlurCanvas(const Canvas& in, int radius);

}  // namespace vantrelle::datagen
