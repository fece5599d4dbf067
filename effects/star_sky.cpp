#include "effects/star_sky.h"

#include "core/wrap.h"

namespace vantrelle {
namespace {

constexpr std::uint32_t kPictureSize = 512;  // the star picture is square
constexpr std::uint32_t kPictureWrap = kPictureSize - 1;

// out[0..count) = colours[indices[0..count)], eight pixels a step: a star sky
// row is one look-up per pixel, so the loop's own count is what unrolling saves.
inline void LookUpRun(std::uint16_t* out, const std::uint8_t* indices, const std::uint16_t* colours,
                      std::uint32_t count) {
  std::uint32_t c = 0;
  for (; c + 8 <= count; c += 8) {
    out[c] = colours[indices[c]];
    out[c + 1] = colours[indices[c + 1]];
    out[c + 2] = colours[indices[c + 2]];
    out[c + 3] = colours[indices[c + 3]];
    out[c + 4] = colours[indices[c + 4]];
    out[c + 5] = colours[indices[c + 5]];
    out[c + 6] = colours[indices[c + 6]];
    out[c + 7] = colours[indices[c + 7]];
  }
  for (; c < count; ++c) out[c] = colours[indices[c]];
}

}  // namespace

void DrawStarSky(FrameBuffer& frame, const std::uint8_t* picture, const std::uint16_t* colours, std::int32_t x,
                 std::int32_t y) {
  // A frame row is narrower than the picture, so it wraps at most once: it is
  // drawn as a run up to the picture's right edge and a run from its left edge.
  const std::uint32_t firstColumn = static_cast<std::uint32_t>(x) & kPictureWrap;
  const std::uint32_t tail = kPictureSize - firstColumn;
  const std::uint32_t firstRun = tail < kFrameWidth ? tail : kFrameWidth;
  std::uint16_t* out = frame.data();
  for (std::int32_t r = 0; r < kFrameHeight; ++r) {
    const std::uint32_t row = static_cast<std::uint32_t>(WrapAdd(y, r)) & kPictureWrap;
    const std::uint8_t* src = picture + row * kPictureSize;
    LookUpRun(out, src + firstColumn, colours, firstRun);
    LookUpRun(out + firstRun, src, colours, kFrameWidth - firstRun);
    out += kFrameWidth;
  }
}

}  // namespace vantrelle
