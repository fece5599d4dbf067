#pragma once
// One line of text drawn with FreeType into an RGB image: each glyph's
// coverage blends the colour over what is there. Labels are plain ASCII.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "tools/render/rgb_image.h"

namespace vantrelle::render {

// The labels' font, from the Debian package fonts-dejavu-core.
inline constexpr const char* kLabelFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

struct Rgb {
  std::uint8_t r, g, b;
};

class TextPainter {
 public:
  TextPainter();
  ~TextPainter();
  TextPainter(const TextPainter&) = delete;
  TextPainter& operator=(const TextPainter&) = delete;

  // Loads the font at `pixelHeight` (pixels per em). "" or one line.
  std::string Open(const std::filesystem::path& font, int pixelHeight);

  // Draws `text` with its baseline on row `baseline`, the pen starting at
  // column x; anything outside the image is clipped. Returns the pen's end column.
  int Draw(RgbImage& image, int x, int baseline, std::string_view text, Rgb colour) const;

  // Pixels from the baseline up to the top of the tallest letters.
  int Ascent() const;

 private:
  struct Handles;
  std::unique_ptr<Handles> handles_;
};

}  // namespace vantrelle::render
