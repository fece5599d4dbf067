#pragma once
// Lines of plain ASCII laid out with FreeType: the painter walks the pen
// along the text and hands each glyph's anti-aliased coverage to the caller,
// who decides how it combines with the picture below.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/status.h"

namespace vantrelle::text {

// One glyph's coverage (0 = empty, 255 = fully covered): `width` x `rows`
// bytes, rows `pitch` bytes apart, its top-left pixel at (left, top).
struct GlyphCoverage {
  int left, top;
  int width, rows, pitch;
  const std::uint8_t* coverage;
};

// Calls visit(x, y, coverage) for each of the glyph's pixels that lies inside
// a width x height picture; pixels outside it are skipped.
template <typename Visit>
void ForEachCoveredPixel(const GlyphCoverage& glyph, int width, int height, Visit&& visit) {
  for (int row = 0; row < glyph.rows; ++row) {
    const int y = glyph.top + row;
    if (y < 0 || y >= height) continue;
    for (int column = 0; column < glyph.width; ++column) {
      const int x = glyph.left + column;
      if (x < 0 || x >= width) continue;
      visit(x, y, glyph.coverage[row * glyph.pitch + column]);
    }
  }
}

// How letters sit apart: `tracking` extra pixels between letters, and
// whether the font's kerning pairs move them.
struct Spacing {
  int tracking = 0;
  bool kerning = false;
};

class TextPainter {
 public:
  TextPainter();
  ~TextPainter();
  TextPainter(const TextPainter&) = delete;
  TextPainter& operator=(const TextPainter&) = delete;

  // Loads the font file. Fails with kNotFound and one line naming the file
  // (and its package) when it cannot be loaded, kUnreadable when FreeType
  // cannot start.
  Status Open(const std::filesystem::path& font);
  // Sets the size (pixels per em) for what follows; kMalformed if the font
  // has no such size.
  Status SetPixelSize(int pixelSize);

  // Width of `text` in whole pixels, tracking between letters only.
  int Measure(std::string_view text, Spacing spacing);
  // Pixels from the baseline up to the top of the tallest letters.
  int Ascent() const;
  // Height of the capital H above the baseline, in whole pixels.
  int CapHeight();

  // Lays `text` out on row `baseline` with the pen starting at column x and
  // hands every glyph to `paint`. Returns the pen's end column.
  int Draw(std::string_view text, int x, int baseline, Spacing spacing,
           const std::function<void(const GlyphCoverage&)>& paint);

 private:
  struct Handles;
  std::unique_ptr<Handles> handles_;
  std::filesystem::path font_;
};

}  // namespace vantrelle::text
