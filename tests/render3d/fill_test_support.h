#pragma once
// Helpers for the triangle filler tests: every filler drawn from one set of
// arguments, frames that tell drawn pixels from untouched ones, a texture
// whose texels name their own position, and exact coverage of a triangle
// under the ceiling rule.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>

#include <gtest/gtest.h>

#include "core/frame_buffer.h"
#include "render3d/fillers.h"

namespace vantrelle::fill_test {

// The five fillers, drawn through one set of arguments.
enum class Filler { kFlat, kGouraud, kTextured, kLit, kPerspective };
inline constexpr Filler kFillers[] = {Filler::kFlat, Filler::kGouraud, Filler::kTextured, Filler::kLit,
                                      Filler::kPerspective};
inline constexpr std::uint16_t kFlatColour = 0x5555;

// One triangle for any filler: corners (x16), depths (16.16, the perspective
// filler's) and per corner u, v, light-map u, v (the Gouraud filler's shade is u).
struct Args {
  std::array<std::int32_t, 6> xy;
  std::array<std::int32_t, 3> z;
  std::array<std::int32_t, 12> a;
};

// What the fillers read: a word texture or table, and the lit filler's byte
// texture and light map.
struct Inks {
  const std::uint16_t* words;
  const std::uint8_t* texture = nullptr;
  const std::uint8_t* lightMap = nullptr;
};

// A triangle from its corners {x0, y0, x1, y1, x2, y2} moved by (dx, dy), and
// each corner's attributes.
template <int N>
Triangle<N> Place(const std::array<std::int32_t, 6>& xy, const std::array<ScanValues<N>, 3>& a, std::int32_t dx,
                  std::int32_t dy) {
  Triangle<N> t;
  for (int k = 0; k < 3; ++k) t[k] = {xy[2 * k] + dx, xy[2 * k + 1] + dy, a[k]};
  return t;
}

// Draws with every corner moved by (dx, dy) sixteenths.
inline void Draw(Filler filler, FrameBuffer& f, const Args& g, const Inks& ink, std::int32_t dx = 0,
                 std::int32_t dy = 0) {
  const auto& a = g.a;
  switch (filler) {
    case Filler::kFlat:
      return FillFlat(f, kFlatColour, Place<0>(g.xy, {}, dx, dy));
    case Filler::kGouraud:
      return FillGouraud(f, ink.words, Place<1>(g.xy, {{{a[0]}, {a[4]}, {a[8]}}}, dx, dy));
    case Filler::kTextured:
      return FillTextured(f, ink.words, Place<2>(g.xy, {{{a[0], a[1]}, {a[4], a[5]}, {a[8], a[9]}}}, dx, dy));
    case Filler::kLit:
      return FillTexturedLit(
          f, {ink.texture, ink.lightMap, ink.words},
          Place<4>(g.xy, {{{a[0], a[1], a[2], a[3]}, {a[4], a[5], a[6], a[7]}, {a[8], a[9], a[10], a[11]}}}, dx, dy));
    case Filler::kPerspective:
      return FillPerspective(
          f, ink.words, Place<3>(g.xy, {{{g.z[0], a[0], a[1]}, {g.z[1], a[4], a[5]}, {g.z[2], a[8], a[9]}}}, dx, dy));
  }
}

// Texture coordinates {u0, v0, u1, v1, u2, v2} in the arguments' places.
inline std::array<std::int32_t, 12> Uv(const std::array<std::int32_t, 6>& uv) {
  return {uv[0], uv[1], 0, 0, uv[2], uv[3], 0, 0, uv[4], uv[5], 0, 0};
}

// Pixels a drawing wrote, and their values: the drawing is made twice, over
// 0x0000 and over 0xFFFF, and a pixel counts as written where both agree.
struct Drawn {
  FrameBuffer pixels{};
  std::array<bool, kFramePixels> written{};
  bool At(int x, int y) const { return written[y * kFrameWidth + x]; }
  std::uint16_t Value(int x, int y) const { return pixels[y * kFrameWidth + x]; }
  int Count() const { return static_cast<int>(std::count(written.begin(), written.end(), true)); }
};

inline std::unique_ptr<Drawn> RenderWith(Filler filler, const Args& g, const Inks& ink, std::int32_t dx = 0,
                                         std::int32_t dy = 0) {
  static FrameBuffer low;  // static: the tests draw thousands of frames
  static FrameBuffer high;
  low.fill(0x0000);
  high.fill(0xFFFF);
  Draw(filler, low, g, ink, dx, dy);
  Draw(filler, high, g, ink, dx, dy);
  auto out = std::make_unique<Drawn>();
  for (int i = 0; i < kFramePixels; ++i) {
    out->written[i] = low[i] == high[i];
    out->pixels[i] = low[i];
  }
  return out;
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
inline Cover ExactCover(const std::array<std::int32_t, 6>& corners, int x, int y, double tolerance) {
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

}  // namespace vantrelle::fill_test
