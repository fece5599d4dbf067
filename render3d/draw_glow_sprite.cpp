#include "render3d/draw_glow_sprite.h"

#include <algorithm>
#include <array>

#include "core/frame_buffer.h"
#include "core/simd.h"
#include "core/wrap.h"

namespace vantrelle {
namespace {

constexpr std::int32_t kChunk = 16;  // bytes added per step: one vector register
constexpr std::int32_t kGather = 8;  // texels fetched per step

constexpr std::int32_t kRowStride = kFrameWidth + kChunk;  // a scaled row, and zeros up to a whole chunk

// Scratch, rewritten by every call: the sprite column of each frame column,
// and the rows of scaled sprite texels, each followed by zeros up to a whole
// chunk.
struct Scratch {
  std::array<std::uint8_t, kFrameWidth + kGather> texelColumn{};
  std::array<std::uint8_t, kFrameHeight * kRowStride> scaledRows{};
};
Scratch scratch;

// out[k] += in[k], saturating at 255, pixel by pixel, for the last chunk of
// the buffer.
void AddPixels(std::uint8_t* out, const std::uint8_t* in, std::int32_t count) {
  for (std::int32_t k = 0; k < count; ++k) {
    const std::uint32_t sum = std::uint32_t{out[k]} + in[k];
    out[k] = static_cast<std::uint8_t>(sum > 255 ? 255 : sum);
  }
}

}  // namespace

void DrawGlowSprite(std::uint8_t* buffer, const std::uint8_t* sprite, std::int32_t x, std::int32_t y, std::int32_t w,
                    std::int32_t h) {
  if (w == 0 || h == 0) return;           // a point too far away to have a size
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

  // Every row samples the same sprite columns: find them once per sprite.
  const std::int32_t columns = colEnd - col0;
  std::int32_t u = uStart;
  for (std::int32_t k = 0; k < columns; ++k) {
    scratch.texelColumn[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(u >> 16);
    u = WrapAdd(u, du);
  }
  // Texels are fetched eight at a time and the span added in whole chunks;
  // the zeros written past its end leave those pixels as they are. Only a
  // chunk that would run past the buffer's end is added pixel by pixel. All
  // rows are fetched before any is added: a chunk read just after its bytes
  // were written one by one would wait for them to reach the cache.
  std::fill_n(scratch.texelColumn.begin() + columns, kGather, std::uint8_t{0});
  const std::int32_t gathered = (columns + kGather - 1) / kGather * kGather;
  const std::int32_t padded = (columns + kChunk - 1) / kChunk * kChunk;
  const std::uint8_t* columnOf = scratch.texelColumn.data();
  std::int32_t v = vStart;
  for (std::int32_t row = row0; row < rowEnd; ++row) {
    const std::uint8_t* texels = sprite + ((v >> 8) & 0xFF00);
    std::uint8_t* scaled = scratch.scaledRows.data() + (row - row0) * kRowStride;
    for (std::int32_t k = 0; k < gathered; k += kGather) {
      for (std::int32_t j = 0; j < kGather; ++j) scaled[k + j] = texels[columnOf[k + j]];
    }
    std::fill_n(scaled + columns, kChunk, std::uint8_t{0});  // past the span, up to its last chunk
    v = WrapAdd(v, dv);
  }
  for (std::int32_t row = row0; row < rowEnd; ++row) {
    const std::uint8_t* scaled = scratch.scaledRows.data() + (row - row0) * kRowStride;
    const std::int32_t start = row * kFrameWidth + col0;
    std::uint8_t* out = buffer + start;
    if (start + padded <= kFramePixels) {
      for (std::int32_t k = 0; k < padded; k += kChunk) simd::AddSatBytes16(out + k, scaled + k);
    } else {
      AddPixels(out, scaled, columns);
    }
  }
}

}  // namespace vantrelle
