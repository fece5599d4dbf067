#include "effects/star_sky.h"

#include "core/wrap.h"

namespace vantrelle {
namespace {

constexpr std::uint32_t kPictureSize = 512;  // the star picture is square
constexpr std::uint32_t kPictureWrap = kPictureSize - 1;

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
    const std::uint8_t* run = src + firstColumn;
    for (std::uint32_t c = 0; c < firstRun; ++c) out[c] = colours[run[c]];
    for (std::uint32_t c = firstRun; c < kFrameWidth; ++c) out[c] = colours[src[c - firstRun]];
    out += kFrameWidth;
  }
}

}  // namespace vantrelle
