#include "effects/text_strip.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "core/blend_fields_x8.h"

namespace vantrelle {

namespace {

// The blurred strip, one intensity per byte. Scratch: rewritten by every call.
struct Scratch {
  std::array<std::int16_t, kStripWidth * kStripHeight> stripBuffer{};
};
Scratch scratch;

// Box blur of one row by a running sum: the output at x sums the bytes at
// x - radius .. x + radius - 1 inside the row, and scales by the normaliser
// (16.16). Quirk: 2 x radius bytes, one short of a centred box, as the show
// blurs its text.
void BlurRow(const std::uint8_t* in, std::int16_t* out, std::int32_t radius, std::int32_t normaliser) {
  std::int32_t sum = 0;
  const std::int32_t lead = radius < kStripWidth ? radius : kStripWidth;
  for (std::int32_t x = 0; x < lead; ++x) sum += in[x];
  for (std::int32_t x = 0; x < kStripWidth; ++x) {
    out[x] = static_cast<std::int16_t>((sum * normaliser) >> 16);
    if (x + radius < kStripWidth) sum += in[x + radius];
    if (x - radius >= 0) sum -= in[x - radius];
  }
}

}  // namespace

void DrawTextStrip(FrameBuffer& frame, const std::uint8_t* strip, std::int32_t topRow, std::int32_t blurRadius) {
  std::int16_t* blurred = scratch.stripBuffer.data();
  if (blurRadius < 1) {
    for (std::int32_t i = 0; i < kStripWidth * kStripHeight; ++i) blurred[i] = strip[i];
  } else {
    // One division per call; the 64-bit width keeps 2 x radius + 1 from overflowing.
    const auto normaliser = static_cast<std::int32_t>(65536 / (2 * std::int64_t{blurRadius} + 1));  // 16.16
    // Past 400 the box covers the whole row whatever the radius.
    const std::int32_t radius = blurRadius < kStripWidth ? blurRadius : kStripWidth;
    for (std::int32_t k = 0; k < kStripHeight; ++k) {
      BlurRow(strip + k * kStripWidth, blurred + k * kStripWidth, radius, normaliser);
    }
  }

  // Darken: each field keeps (256 - v)/256 of itself, a blend toward black by
  // v (0..255: the blur never leaves a byte's range); v = 255 leaves 1/256.
  // The strip is 3,200 whole vectors.
  std::uint16_t* out = frame.data() + topRow * kFrameWidth;
  const simd::U16x8 black = simd::Splat(0);
  for (std::int32_t i = 0; i < kStripWidth * kStripHeight; i += simd::kLanes) {
    // Eight intensities of 0, the strip's margins and the gaps between
    // letters, leave their pixels as they are.
    std::uint64_t first = 0;
    std::uint64_t second = 0;
    std::memcpy(&first, blurred + i, sizeof first);
    std::memcpy(&second, blurred + i + 4, sizeof second);
    if ((first | second) == 0) continue;
    // Signed and unsigned 16-bit elements may be read through each other.
    const simd::U16x8 v = simd::Load(reinterpret_cast<const std::uint16_t*>(blurred + i));
    simd::Store(out + i, BlendFieldsX8(simd::Load(out + i), black, v));
  }
}

}  // namespace vantrelle
