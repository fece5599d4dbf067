#include "tools/datagen/lib/text_canvas.h"

#include <algorithm>

namespace vantrelle::datagen {

namespace {

// The show's letters are kerned; `tracking` spreads them further.
text::Spacing Kerned(int tracking) { return {tracking, true}; }

}  // namespace

TextPainter::TextPainter() : status_(painter_.Open(kBoldFontPath)) {}

bool TextPainter::SetSize(int pixelSize) {
  if (status_.ok() && size_ != pixelSize) {
    status_ = painter_.SetPixelSize(pixelSize);
    size_ = pixelSize;
  }
  return status_.ok();
}

int TextPainter::Measure(const std::string& text, int pixelSize, int tracking) {
  return SetSize(pixelSize) ? painter_.Measure(text, Kerned(tracking)) : 0;
}

int TextPainter::CapHeight(int pixelSize) { return SetSize(pixelSize) ? painter_.CapHeight() : 0; }

void TextPainter::DrawCentred(Canvas& canvas, const std::string& text, int pixelSize, int centreX, int baseline,
                              int tracking) {
  if (!SetSize(pixelSize)) {
    return;
  }
  const int width = Measure(text, pixelSize, tracking);
  painter_.Draw(text, centreX - width / 2, baseline, Kerned(tracking), [&canvas](const text::GlyphCoverage& g) {
    text::ForEachCoveredPixel(g, canvas.width, canvas.height, [&canvas](int x, int y, std::uint8_t coverage) {
      std::uint8_t& dst = canvas.At(x, y);
      dst = std::max(dst, coverage);
    });
  });
}

Canvas BlurCanvas(const Canvas& in, int radius) {
  Canvas tmp(in.width, in.height), out(in.width, in.height);
  const int n = 2 * radius + 1;
  for (int y = 0; y < in.height; ++y) {
    for (int x = 0; x < in.width; ++x) {
      int sum = 0;
      for (int k = -radius; k <= radius; ++k) {
        const int xx = x + k;
        if (xx >= 0 && xx < in.width) sum += in.pixels[static_cast<std::size_t>(y) * in.width + xx];
      }
      tmp.At(x, y) = static_cast<std::uint8_t>(sum / n);
    }
  }
  for (int y = 0; y < in.height; ++y) {
    for (int x = 0; x < in.width; ++x) {
      int sum = 0;
      for (int k = -radius; k <= radius; ++k) {
        const int yy = y + k;
        if (yy >= 0 && yy < in.height) sum += tmp.pixels[static_cast<std::size_t>(yy) * in.width + x];
      }
      out.At(x, y) = static_cast<std::uint8_t>(sum / n);
    }
  }
  return out;
}

}  // namespace vantrelle::datagen
