#include "tools/render/text_painter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace vantrelle::render {

struct TextPainter::Handles {
  FT_Library library = nullptr;
  FT_Face face = nullptr;

  ~Handles() {
    if (face != nullptr) FT_Done_Face(face);
    if (library != nullptr) FT_Done_FreeType(library);
  }
};

TextPainter::TextPainter() = default;
TextPainter::~TextPainter() = default;

std::string TextPainter::Open(const std::filesystem::path& font, int pixelHeight) {
  handles_ = std::make_unique<Handles>();
  if (FT_Init_FreeType(&handles_->library) != 0) {
    handles_->library = nullptr;
    return "cannot start FreeType";
  }
  if (FT_New_Face(handles_->library, font.c_str(), 0, &handles_->face) != 0) {
    handles_->face = nullptr;
    return "cannot load the font " + font.string() + " (Debian package fonts-dejavu-core)";
  }
  if (FT_Set_Pixel_Sizes(handles_->face, 0, static_cast<FT_UInt>(pixelHeight)) != 0) {
    return "cannot size the font " + font.string();
  }
  return {};
}

int TextPainter::Ascent() const {
  return static_cast<int>(handles_->face->size->metrics.ascender >> 6);  // 26.6
}

int TextPainter::Draw(RgbImage& image, int x, int baseline, std::string_view text, Rgb colour) const {
  FT_Face face = handles_->face;
  const std::uint8_t ink[3] = {colour.r, colour.g, colour.b};
  for (unsigned char c : text) {
    if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) {
      continue;
    }
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    const int left = x + face->glyph->bitmap_left;
    const int top = baseline - face->glyph->bitmap_top;
    for (int row = 0; row < static_cast<int>(bitmap.rows); ++row) {
      const int y = top + row;
      if (y < 0 || y >= image.height) continue;
      for (int column = 0; column < static_cast<int>(bitmap.width); ++column) {
        const int px = left + column;
        if (px < 0 || px >= image.width) continue;
        const int coverage = bitmap.buffer[row * bitmap.pitch + column];  // 0..255
        std::uint8_t* pixel = image.At(px, y);
        for (int i = 0; i < 3; ++i) {
          pixel[i] = static_cast<std::uint8_t>((ink[i] * coverage + pixel[i] * (255 - coverage) + 127) / 255);
        }
      }
    }
    x += static_cast<int>(face->glyph->advance.x >> 6);  // 26.6
  }
  return x;
}

}  // namespace vantrelle::render
