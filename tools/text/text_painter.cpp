#include "tools/text/text_painter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace vantrelle::text {
namespace {

constexpr long kOnePixel = 64;  // FreeType positions are 26.6

int RoundToPixel(long pen) { return static_cast<int>((pen + kOnePixel / 2) >> 6); }

}  // namespace

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

Status TextPainter::Open(const std::filesystem::path& font) {
  handles_ = std::make_unique<Handles>();
  font_ = font;
  if (FT_Init_FreeType(&handles_->library) != 0) {
    handles_->library = nullptr;
    return Status::Failure(ErrorKind::kUnreadable, "cannot start FreeType");
  }
  if (FT_New_Face(handles_->library, font.c_str(), 0, &handles_->face) != 0) {
    handles_->face = nullptr;
    return Status::Failure(ErrorKind::kNotFound,
                           "cannot load the font " + font.string() + " (Debian package fonts-dejavu-core)");
  }
  return {};
}

Status TextPainter::SetPixelSize(int pixelSize) {
  if (FT_Set_Pixel_Sizes(handles_->face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
    return Status::Failure(ErrorKind::kMalformed, "cannot size the font " + font_.string());
  }
  return {};
}

int TextPainter::Ascent() const { return static_cast<int>(handles_->face->size->metrics.ascender >> 6); }

int TextPainter::CapHeight() {
  FT_Face face = handles_->face;
  if (FT_Load_Char(face, 'H', FT_LOAD_DEFAULT) != 0) {
    return static_cast<int>(face->size->metrics.y_ppem) * 3 / 4;  // a usual capital height
  }
  return RoundToPixel(face->glyph->metrics.horiBearingY);
}

namespace {

// Walks the pen (26.6) over `text`, loading each glyph with `loadFlags`, and
// calls `at(pen)` with the glyph loaded before the pen moves past it.
template <class AtGlyph>
long WalkPen(FT_Face face, std::string_view text, long pen, Spacing spacing, FT_Int32 loadFlags, AtGlyph at) {
  FT_UInt previous = 0;
  for (unsigned char ch : text) {
    const FT_UInt glyph = FT_Get_Char_Index(face, ch);
    if (spacing.kerning && previous != 0 && FT_HAS_KERNING(face)) {
      FT_Vector k;
      FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &k);
      pen += k.x;
    }
    if (FT_Load_Glyph(face, glyph, loadFlags) != 0) continue;
    at(pen);
    pen += face->glyph->advance.x + spacing.tracking * kOnePixel;
    previous = glyph;
  }
  return pen;
}

}  // namespace

int TextPainter::Measure(std::string_view text, Spacing spacing) {
  long pen = WalkPen(handles_->face, text, 0, spacing, FT_LOAD_DEFAULT, [](long) {});
  if (!text.empty()) pen -= spacing.tracking * kOnePixel;
  return RoundToPixel(pen);
}

int TextPainter::Draw(std::string_view text, int x, int baseline, Spacing spacing,
                      const std::function<void(const GlyphCoverage&)>& paint) {
  FT_Face face = handles_->face;
  const long end = WalkPen(face, text, x * kOnePixel, spacing, FT_LOAD_RENDER, [&](long pen) {
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    paint({RoundToPixel(pen) + slot->bitmap_left, baseline - slot->bitmap_top, static_cast<int>(bitmap.width),
           static_cast<int>(bitmap.rows), bitmap.pitch, bitmap.buffer});
  });
  return RoundToPixel(end);
}

}  // namespace vantrelle::text
