#include "tools/datagen/lib/text_canvas.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <stdexcept>

namespace vantrelle::datagen {

struct TextPainter::Impl {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  int size = 0;
};

TextPainter::TextPainter() : impl_(new Impl) {
  if (FT_Init_FreeType(&impl_->library) != 0) {
    delete impl_;
    throw std::runtime_error("cannot start FreeType");
  }
  if (FT_New_Face(impl_->library, kBoldFontPath, 0, &impl_->face) != 0) {
    FT_Done_FreeType(impl_->library);
    delete impl_;
    throw std::runtime_error(std::string("cannot open the font ") + kBoldFontPath +
                             " (Debian package fonts-dejavu-core)");
  }
}

TextPainter::~TextPainter() {
  FT_Done_Face(impl_->face);
  FT_Done_FreeType(impl_->library);
  delete impl_;
}

void TextPainter::SetSize(int pixelSize) {
  if (impl_->size != pixelSize) {
    FT_Set_Pixel_Sizes(impl_->face, 0, static_cast<FT_UInt>(pixelSize));
    impl_->size = pixelSize;
  }
}

int TextPainter::Measure(const std::string& text, int pixelSize, int tracking) {
  SetSize(pixelSize);
  FT_Face face = impl_->face;
  long pen = 0;  // 26.6
  FT_UInt previous = 0;
  for (unsigned char ch : text) {
    const FT_UInt glyph = FT_Get_Char_Index(face, ch);
    if (previous != 0 && FT_HAS_KERNING(face)) {
      FT_Vector k;
      FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &k);
      pen += k.x;
    }
    if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) != 0) continue;
    pen += face->glyph->advance.x + tracking * 64;
    previous = glyph;
  }
  if (!text.empty()) pen -= tracking * 64;
  return static_cast<int>((pen + 32) >> 6);
}

int TextPainter::CapHeight(int pixelSize) {
  SetSize(pixelSize);
  if (FT_Load_Char(impl_->face, 'H', FT_LOAD_DEFAULT) != 0) return pixelSize * 3 / 4;
  return static_cast<int>((impl_->face->glyph->metrics.horiBearingY + 32) >> 6);
}

void TextPainter::DrawCentred(Canvas& canvas, const std::string& text, int pixelSize, int centreX, int baseline,
                              int tracking) {
  const int width = Measure(text, pixelSize, tracking);
  FT_Face face = impl_->face;
  long pen = static_cast<long>(centreX - width / 2) * 64;
  FT_UInt previous = 0;
  for (unsigned char ch : text) {
    const FT_UInt glyph = FT_Get_Char_Index(face, ch);
    if (previous != 0 && FT_HAS_KERNING(face)) {
      FT_Vector k;
      FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &k);
      pen += k.x;
    }
    if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER) != 0) continue;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    const int left = static_cast<int>((pen + 32) >> 6) + slot->bitmap_left;
    const int top = baseline - slot->bitmap_top;
    for (unsigned row = 0; row < bm.rows; ++row) {
      const int y = top + static_cast<int>(row);
      if (y < 0 || y >= canvas.height) continue;
      for (unsigned col = 0; col < bm.width; ++col) {
        const int x = left + static_cast<int>(col);
        if (x < 0 || x >= canvas.width) continue;
        const std::uint8_t v = bm.buffer[row * static_cast<unsigned>(bm.pitch) + col];
        std::uint8_t& dst = canvas.At(x, y);
        dst = std::max(dst, v);
      }
    }
    pen += slot->advance.x + tracking * 64;
    previous = glyph;
  }
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
