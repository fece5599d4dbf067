#include "effects/radial_texture.h"

#include "assets/effect_tables.h"
#include "core/blend_fields_x8.h"
#include "core/sin_tables.h"
#include "core/wrap.h"

namespace vantrelle {
namespace {

constexpr int kMapWidth = 800;
constexpr std::uint16_t kFullGlow = 256;  // glow at or above this is white

// The maps are 400 columns and 240 rows larger than the frame, so a window
// swings over (sin + 1) * 200 columns and (sin + 1) * 120 rows.
constexpr std::int32_t kSwingX = 200;
constexpr std::int32_t kSwingY = 120;

// (sin + 1) * swing for a 16.16 sine, truncated: 0 .. 2 * swing.
constexpr std::int32_t WindowOffset(std::int32_t sine, std::int32_t swing) { return ((sine + 65536) * swing) >> 16; }

RadialWindow Window(std::int32_t angleX, std::int32_t angleY) {
  return {WindowOffset(Sin(angleX), kSwingX), WindowOffset(Sin(angleY), kSwingY)};
}

}  // namespace

// Each centre runs its own Lissajous path: speeds of 1/2, 1, 3/2 and 2 angle
// steps per ms, phases in 1/4096 of a turn.
std::array<RadialWindow, 4> RadialWindows(std::int32_t t) {
  const std::int32_t half = t / 2;
  const std::int32_t threeHalves = WrapMul(3, t) / 2;
  const std::int32_t twice = WrapMul(2, t);
  return {Window(WrapAdd(t, 512), WrapAdd(half, 512)), Window(half, threeHalves),
          Window(WrapAdd(twice, 1536), WrapAdd(t, 1536)), Window(WrapAdd(threeHalves, 1024), WrapAdd(twice, 1024))};
}

void DrawRadialTexture(FrameBuffer& frame, const std::uint16_t* texture, std::int32_t t) {
  const std::array<RadialWindow, 4> windows = RadialWindows(t);
  std::array<int, 4> start{};
  for (int k = 0; k < 4; ++k) {
    start[k] = windows[k].oy * kMapWidth + windows[k].ox;
  }

  // Eight pixels per step: the map sums, the texture look-up into lanes and
  // the blend toward white, all in registers.
  const simd::U16x8 white = simd::Splat(0xFFFF);
  const simd::U16x8 fullGlow = simd::Splat(kFullGlow);
  std::uint16_t* out = frame.data();
  for (int y = 0; y < kFrameHeight; ++y) {
    const int row = y * kMapWidth;
    const std::uint16_t* polar0 = PolarMap.data() + start[0] + row;
    const std::uint16_t* polar1 = PolarMap.data() + start[1] + row;
    const std::uint16_t* polar2 = PolarMap.data() + start[2] + row;
    const std::uint16_t* polar3 = PolarMap.data() + start[3] + row;
    const std::uint8_t* glow0 = InverseDistanceMap.data() + start[0] + row;
    const std::uint8_t* glow1 = InverseDistanceMap.data() + start[1] + row;
    const std::uint8_t* glow2 = InverseDistanceMap.data() + start[2] + row;
    const std::uint8_t* glow3 = InverseDistanceMap.data() + start[3] + row;
    for (int x = 0; x < kFrameWidth; x += simd::kLanes) {
      using namespace simd;
      // 16-bit sums: the carry out of the summed angles runs into the summed distances.
      const U16x8 index = Add(Add(Load(polar0 + x), Load(polar1 + x)), Add(Load(polar2 + x), Load(polar3 + x)));
      const U16x8 glow =
          Min(Add(Add(LoadBytes(glow0 + x), LoadBytes(glow1 + x)), Add(LoadBytes(glow2 + x), LoadBytes(glow3 + x))),
              fullGlow);
      Store(out + x, BlendFieldsX8(LookUpLanes(texture, index), white, glow));
    }
    out += kFrameWidth;
  }
}

}  // namespace vantrelle
