#include "effects/blend_picture.h"

#include <array>

#include "core/blend_fields_x8.h"

namespace vantrelle {
namespace {

// One row of palette colours; scratch, rewritten by every call.
struct Scratch {
  std::array<std::uint16_t, kFrameWidth> rowColour{};
};
Scratch scratch;

}  // namespace

void BlendPicture(FrameBuffer& frame, const std::uint8_t* picture, const std::uint16_t* colours, std::int32_t level) {
  const simd::U16x8 weight = simd::Splat(static_cast<std::uint16_t>(level));
  // The palette look-up runs as its own pass so that the blend works on
  // eight pixels per step (a row is 50 whole vectors).
  for (int y = 0; y < kFrameHeight; ++y) {
    const std::uint8_t* source = picture + y * kFrameWidth;
    std::uint16_t* out = frame.data() + y * kFrameWidth;
    for (int x = 0; x < kFrameWidth; ++x) {
      scratch.rowColour[x] = colours[source[x]];
    }
    for (int x = 0; x < kFrameWidth; x += simd::kLanes) {
      simd::Store(out + x, BlendFieldsX8(simd::Load(out + x), simd::Load(scratch.rowColour.data() + x), weight));
    }
  }
}

}  // namespace vantrelle
