#pragma once
// Helpers for the triangle filler tests: frames that tell drawn pixels from
// untouched ones, a texture whose texels name their own position, and exact
// coverage of a triangle under the ceiling rule.
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "core/frame_buffer.h"
#include "render3d/fillers.h"

namespace vantrelle::fill_test {

// A triangle from its corners' positions {x0, y0, x1, y1, x2, y2} moved by
// (dx, dy), and each corner's attributes.
template <int N, typename T>
Triangle<N> Corners(const std::array<T, 6>& xy, const std::array<ScanValues<N>, 3>& a, std::int32_t dx = 0,
                    std::int32_t dy = 0) {
  Triangle<N> t;
  for (int k = 0; k < 3; ++k) {
    t[k] = {static_cast<std::int32_t>(xy[2 * k]) + dx, static_cast<std::int32_t>(xy[2 * k + 1]) + dy, a[k]};
  }
  return t;
}

// Texture coordinates {u0, v0, u1, v1, u2, v2} as each corner's pair.
inline std::array<ScanValues<2>, 3> Uv(const std::array<std::int32_t, 6>& uv) {
  return {{{uv[0], uv[1]}, {uv[2], uv[3]}, {uv[4], uv[5]}}};
}

// Pixels a drawing wrote, and their values: the drawing is made twice, over
// 0x0000 and over 0xFFFF, and a pixel counts as written where both agree.
struct Drawn {
  FrameBuffer pixels{};
  std::array<bool, kFramePixels> written{};
  bool At(int x, int y) const { return written[y * kFrameWidth + x]; }
  std::uint16_t Value(int x, int y) const { return pixels[y * kFrameWidth + x]; }
  int Count() const {
    int n = 0;
    for (bool w : written) n += w ? 1 : 0;
    return n;
  }
};

inline std::unique_ptr<Drawn> Render(const std::function<void(FrameBuffer&)>& draw) {
  static FrameBuffer low;  // static: the tests draw thousands of frames
  static FrameBuffer high;
  low.fill(0x0000);
  high.fill(0xFFFF);
  draw(low);
  draw(high);
  auto out = std::make_unique<Drawn>();
  for (int i = 0; i < kFramePixels; ++i) {
    out->written[i] = low[i] == high[i];
    out->pixels[i] = low[i];
  }
  return out;
}

// Every texel 0xFFFF: coverage only.
inline const std::uint16_t* SolidTexture() {
  static const auto texture = [] {
    auto t = std::make_unique<std::array<std::uint16_t, 65536>>();
    t->fill(0xFFFF);
    return t;
  }();
  return texture->data();
}

// texel (column u, row v) holds v * 256 + u, so a pixel names the texel it took.
inline const std::uint16_t* PositionTexture() {
  static const auto texture = [] {
    auto t = std::make_unique<std::array<std::uint16_t, 65536>>();
    for (int i = 0; i < 65536; ++i) (*t)[i] = static_cast<std::uint16_t>(i);
    return t;
  }();
  return texture->data();
}

enum class Cover { kOut, kIn, kEither };

// Exact coverage of the pixel whose top-left corner is (16x, 16y) sixteenths:
// rows from ceil(Ymin/16) up to before ceil(Ymax/16), and in a row the columns
// from ceil of the left edge up to before ceil of the right edge. Samples within
// `tolerance` sixteenths of an edge may go either way (fixed-point steps).
inline Cover ExactCover(const std::array<std::int64_t, 6>& corners, int x, int y, double tolerance) {
  const double sy = 16.0 * y;
  double ys[3], xs[3];
  for (int i = 0; i < 3; ++i) {
    xs[i] = static_cast<double>(corners[2 * i]);
    ys[i] = static_cast<double>(corners[2 * i + 1]);
  }
  const double top = std::min({ys[0], ys[1], ys[2]});
  const double bottom = std::max({ys[0], ys[1], ys[2]});
  if (sy < top || sy >= bottom) return Cover::kOut;
  // Cross-section of the closed triangle at height sy.
  double lo = 1e300, hi = -1e300;
  for (int i = 0; i < 3; ++i) {
    const int j = (i + 1) % 3;
    const double ya = ys[i], yb = ys[j];
    if (ya == yb) {
      if (ya == sy) {
        lo = std::min({lo, xs[i], xs[j]});
        hi = std::max({hi, xs[i], xs[j]});
      }
      continue;
    }
    if ((sy - ya) * (sy - yb) > 0) continue;
    const double xe = xs[i] + (xs[j] - xs[i]) * (sy - ya) / (yb - ya);
    lo = std::min(lo, xe);
    hi = std::max(hi, xe);
  }
  const double sx = 16.0 * x;
  if (std::abs(sx - lo) <= tolerance || std::abs(sx - hi) <= tolerance) return Cover::kEither;
  return (sx >= lo && sx < hi) ? Cover::kIn : Cover::kOut;
}

// Draws a triangle with every corner moved by (dx, dy) sixteenths.
using OffsetDraw = std::function<void(FrameBuffer&, std::int32_t dx, std::int32_t dy)>;

// A whole-pixel move leaves every sub-pixel quantity alone, so a clipped
// drawing must show exactly the pixels of the unclipped one, moved. `base`
// puts the triangle wholly inside the frame; `shift` (whole pixels) clips it.
inline void ExpectSameUnderShift(const OffsetDraw& draw, int baseX, int baseY, int shiftX, int shiftY) {
  const auto whole = Render([&](FrameBuffer& f) { draw(f, 16 * baseX, 16 * baseY); });
  const auto moved = Render([&](FrameBuffer& f) { draw(f, 16 * (baseX + shiftX), 16 * (baseY + shiftY)); });
  ASSERT_GT(whole->Count(), 0) << "the unmoved triangle draws nothing: the comparison would prove nothing";
  for (int y = 0; y < kFrameHeight; ++y) {
    for (int x = 0; x < kFrameWidth; ++x) {
      const int fx = x - shiftX;
      const int fy = y - shiftY;
      const bool inside = fx >= 0 && fx < kFrameWidth && fy >= 0 && fy < kFrameHeight;
      const bool same = inside ? moved->At(x, y) == whole->At(fx, fy) &&
                                     (!moved->At(x, y) || moved->Value(x, y) == whole->Value(fx, fy))
                               : !moved->At(x, y);
      if (!same) {
        FAIL() << "pixel " << x << "," << y << " shifted by " << shiftX << "," << shiftY;
      }
    }
  }
}

}  // namespace vantrelle::fill_test
