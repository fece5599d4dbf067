#include "flash/reduce_flashing.h"

#include <array>

#include "flash/linear_light.h"

namespace vantrelle::flash {
namespace {

// Smoothstep of `done` / `length` in x4096: starts and ends with no slope, so the fade itself never jolts.
std::uint32_t Smooth(DemoClock done, DemoClock length) {
  const std::uint64_t q = static_cast<std::uint64_t>(done) * kFullScale / static_cast<std::uint64_t>(length);
  return static_cast<std::uint32_t>(q * q * (3 * kFullScale - 2 * q) / (std::uint64_t{kFullScale} * kFullScale));
}

std::uint32_t ScaleAt(DemoClock t, const Stretch& stretch) {
  std::uint32_t weight = kFullScale;  // of the stretch's full strength
  if (t < stretch.from) {
    weight = Smooth(t - (stretch.from - kRampMs), kRampMs);
  } else if (t >= stretch.to) {
    weight = Smooth(stretch.to + kRampMs - t, kRampMs);
  }
  return kFullScale - (kFullScale - stretch.scale) * weight / kFullScale;
}

// Each code of one field, compressed in linear light and brought back to the nearest code.
template <std::size_t kCodes>
void FieldTable(const std::array<std::uint32_t, kCodes>& linear, const Reduction& r,
                std::array<std::uint16_t, kCodes>& out) {
  for (std::size_t code = 0; code < kCodes; ++code) {
    const std::int64_t moved =
        (static_cast<std::int64_t>(r.level) * kFullScale +
         static_cast<std::int64_t>(r.scale) * (static_cast<std::int64_t>(linear[code]) - r.level)) /
        kFullScale;
    out[code] = static_cast<std::uint16_t>(
        NearestCode(linear.data(), static_cast<int>(kCodes), static_cast<std::uint32_t>(moved < 0 ? 0 : moved)));
  }
}

}  // namespace

Reduction ReductionAt(DemoClock t, const FlashMap& map) {
  Reduction strongest;
  for (const Stretch& stretch : map.stretches) {
    if (t >= stretch.from - kRampMs && t < stretch.to + kRampMs) {
      const std::uint32_t scale = ScaleAt(t, stretch);
      if (scale < strongest.scale) strongest = {scale, stretch.level};
    }
  }
  return strongest;
}

void ApplyReduction(const Reduction& reduction, const FrameBuffer& exact, FrameBuffer& out) {
  if (reduction.Exact()) {
    out = exact;
    return;
  }
  std::array<std::uint16_t, 32> red{};
  std::array<std::uint16_t, 64> green{};
  std::array<std::uint16_t, 32> blue{};
  FieldTable(kLinear5, reduction, red);
  FieldTable(kLinear6, reduction, green);
  FieldTable(kLinear5, reduction, blue);
  for (std::uint16_t& code : red) code = static_cast<std::uint16_t>(code << 11);
  for (std::uint16_t& code : green) code = static_cast<std::uint16_t>(code << 5);
  for (int i = 0; i < kFramePixels; ++i) {
    const std::uint32_t p = exact[static_cast<std::size_t>(i)];
    out[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(red[p >> 11] | green[(p >> 5) & 63] | blue[p & 31]);
  }
}

void ReduceFlashing(DemoClock t, const FrameBuffer& exact, const FlashMap& map, FrameBuffer& out) {
  ApplyReduction(ReductionAt(t, map), exact, out);
}

}  // namespace vantrelle::flash
