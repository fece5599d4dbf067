#include "render3d/draw_glow_sprite.h"

#include "core/frame_buffer.h"
#include "core/wrap.h"

namespace vantrelle {

void DrawGlowSprite(std::uint8_t* buffer, const std::uint8_t* sprite, std::int32_t x, std::int32_t y,
                    std::int32_t w, std::int32_t h) {
  if (w == 0 || h == 0) return;  // a point too far away to have a size
  const std::int32_t du = (1 << 28) / w;  // 256 texels over w/16 pixels, 16.16 per pixel
  const std::int32_t dv = (1 << 28) / h;
  const std::int32_t left = WrapSub(x, w >> 1);
  const std::int32_t top = WrapSub(y, h >> 1);

  // First covered pixel, and the texel position of its left/top boundary.
  std::int32_t col0 = WrapAdd(left, 15) >> 4;
  std::int32_t row0 = WrapAdd(top, 15) >> 4;
  const std::uint32_t uLead = static_cast<std::uint32_t>(WrapSub(WrapAdd(left, 15) & ~15, left));
  const std::uint32_t vLead = static_cast<std::uint32_t>(WrapSub(WrapAdd(top, 15) & ~15, top));
  std::int32_t uStart = static_cast<std::int32_t>((uLead * static_cast<std::uint32_t>(du)) >> 4);
  std::int32_t vStart = static_cast<std::int32_t>((vLead * static_cast<std::uint32_t>(dv)) >> 4);

  std::int32_t rowEnd = WrapAdd(row0, WrapAdd(h, 15) >> 4);
  std::int32_t colEnd = WrapAdd(col0, WrapAdd(w, 15) >> 4);
  if (rowEnd > kFrameHeight) rowEnd = kFrameHeight;
  if (colEnd > kFrameWidth) colEnd = kFrameWidth;
  if (row0 < 0) {
    vStart = WrapAdd(vStart, WrapMul(WrapNeg(row0), dv));
    row0 = 0;
  }
  if (col0 < 0) {
    uStart = WrapAdd(uStart, WrapMul(WrapNeg(col0), du));
    col0 = 0;
  }
  if (col0 >= kFrameWidth || colEnd <= 0 || row0 >= kFrameHeight || rowEnd <= 0 || row0 >= rowEnd) return;

  std::int32_t v = vStart;
  for (std::int32_t row = row0; row < rowEnd; ++row) {
    const std::uint8_t* texels = sprite + ((v >> 8) & 0xFF00);
    std::uint8_t* out = buffer + row * kFrameWidth;
    std::int32_t u = uStart;
    for (std::int32_t col = col0; col < colEnd; ++col) {
      const std::uint32_t sum = std::uint32_t{out[col]} + texels[(u >> 16) & 0xFF];
      out[col] = static_cast<std::uint8_t>(sum > 255 ? 255 : sum);
      u = WrapAdd(u, du);
    }
    v = WrapAdd(v, dv);
  }
}

}  // namespace vantrelle
