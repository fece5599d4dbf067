#include "assets/build_effect_tables.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "assets/effect_tables.h"
#include "core/bit_cast.h"
#include "core/frame_buffer.h"

namespace vantrelle {
namespace {

constexpr int kMapWidth = 800;  // twice the frame, so any centre on screen has a full view
constexpr int kMapHeight = 480;
constexpr int kMapCentreColumn = 400;
constexpr int kMapCentreRow = 240;
constexpr double kRaySourcePull = 1.8;  // a ray samples from 1.8 pixels nearer the centre

void BuildSaturateTable() {
  for (int i = 0; i < 512; ++i) {
    startup::SaturateTable[i] = std::min(i, 255);
  }
}

void BuildPolarMaps() {
  // Quirk: about 255 angle units per turn, so the angle byte has a seam where
  // the turn closes; the show's radial pictures carry it.
  const double angleScale = BitCast<double>(std::uint64_t{0x40444AD25017786D});
  for (int y = 0; y < kMapHeight; ++y) {
    for (int x = 0; x < kMapWidth; ++x) {
      const int k = y * kMapWidth + x;
      // Offsets and their squares in single precision; the root in double.
      const float dy = static_cast<float>(y) - 240.0f;
      const float dx = static_cast<float>(x) - 400.0f;
      const float q = dx * dx + dy * dy;
      const double d = std::sqrt(static_cast<double>(q));
      const int angle =
          static_cast<int>(std::atan2(static_cast<double>(dy), static_cast<double>(dx)) * angleScale) & 255;
      // 1024 / d has no value at the centre itself: it is as bright as its neighbours.
      const bool centre = y == kMapCentreRow && x == kMapCentreColumn;
      startup::InverseDistanceMap[k] =
          centre ? 255 : static_cast<std::uint8_t>(std::min(255, static_cast<int>(1024.0 / d)));
      startup::PolarMap[k] = static_cast<std::uint16_t>(angle | (static_cast<int>(d * 0.25) << 8));
    }
  }
}

void BuildBrightnessTable() {
  for (int c = 0; c < 65536; ++c) {
    const int r = c >> 11;
    const int g = (c >> 5) & 63;
    const int b = c & 31;
    const int r8 = (r << 3) | (r >> 2);
    const int g8 = (g << 2) | (g >> 4);
    const int b8 = (b << 3) | (b >> 2);
    startup::BrightnessTable[c] = (r8 + g8 + b8) / 3;
  }
}

// 8.8 offset of the point 1.8 pixels nearer the centre along an axis.
std::int32_t AxisSource(int distance) {
  return static_cast<std::int32_t>(std::floor(256.0 * std::max(0.0, distance - kRaySourcePull)));
}

void BuildRaySources() {
  for (int dx = 0; dx < 256; ++dx) {
    startup::RaySourceX[dx] = AxisSource(dx);
    startup::RaySourceY[dx] = 0;
  }
  for (int dy = 1; dy < 256; ++dy) {
    startup::RaySourceX[dy * 256] = 0;
    startup::RaySourceY[dy * 256] = AxisSource(dy);
    for (int dx = 1; dx < 256; ++dx) {
      const double fx = dx;
      const double fy = dy;
      double d = std::sqrt(fx * fx + fy * fy) - kRaySourcePull;
      if (d < 0.0) {
        d = 0.0;
      }
      const double theta = std::atan(fy / fx);
      const double x = std::floor(std::cos(theta) * d * 256.0);
      const double y = std::floor(std::sin(theta) * d * 256.0);
      startup::RaySourceX[dy * 256 + dx] = std::max(0, static_cast<std::int32_t>(x));
      startup::RaySourceY[dy * 256 + dx] = std::max(0, static_cast<std::int32_t>(y));
    }
  }
}

void BuildRayTaps() {
  for (std::size_t i = 0; i < startup::RayTaps.size(); ++i) {
    const std::int32_t x = startup::RaySourceX[i];  // 8.8, never negative
    const std::int32_t y = startup::RaySourceY[i];
    const std::uint32_t fx = static_cast<std::uint32_t>(x) & 255u;
    const std::uint32_t fy = static_cast<std::uint32_t>(y) & 255u;
    RayTap& tap = startup::RayTaps[i];
    tap.nearNear = static_cast<std::uint16_t>(((256 - fx) * (256 - fy)) >> 8);
    tap.farNear = static_cast<std::uint16_t>(((256 - fx) * fy) >> 8);
    tap.nearFar = static_cast<std::uint16_t>((fx * (256 - fy)) >> 8);
    tap.farFar = static_cast<std::uint16_t>((fx * fy) >> 8);
    const std::int32_t dx = static_cast<std::int32_t>(i % 256);
    const std::int32_t dy = static_cast<std::int32_t>(i / 256);
    tap.blockStart = {};
    if (dx == 0 || dy == 0) continue;
    // Rows and columns from the cell back to the block's near row and column.
    const std::int32_t backRows = dy - (y >> 8);
    const std::int32_t backColumns = dx - (x >> 8);
    for (std::int32_t quadrant = 0; quadrant < 4; ++quadrant) {
      // Right of (below) the centre the near row (column) comes first in
      // memory; left of (above) it the far one, one nearer the cell.
      const std::int32_t column = (quadrant & 1) != 0 ? backColumns - 1 : -backColumns;
      const std::int32_t row = (quadrant & 2) != 0 ? backRows - 1 : -backRows;
      tap.blockStart[static_cast<std::size_t>(quadrant)] = static_cast<std::int16_t>(row * kFrameWidth + column);
    }
  }
}

}  // namespace

void BuildEffectTables() {
  BuildSaturateTable();
  BuildPolarMaps();
  BuildBrightnessTable();
  BuildRaySources();
  BuildRayTaps();
}

void BuildEffectTablesOnce() {
  // A function's static: built once, by whichever call comes first.
  static const bool built = [] {
    BuildEffectTables();
    return true;
  }();
  static_cast<void>(built);
}

}  // namespace vantrelle
