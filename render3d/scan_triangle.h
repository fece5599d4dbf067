#pragma once
// The scan conversion the five triangle fillers share: corners sorted by
// height, the triangle cut at the middle corner, edges walked one pixel row at
// a time in 16.16 with a sub-pixel pre-step, spans covering ceil(XL) ..
// ceil(XR) - 1, clipped per row and per span to the 400 x 240 frame. Each
// filler supplies a policy: its attribute steps, gradients and span drawing.
#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "core/fix_mul.h"
#include "core/frame_buffer.h"
#include "core/wrap.h"

namespace vantrelle {

template <int N>
using ScanValues = std::array<std::int32_t, N>;

template <int N>
struct ScanCorner {
  std::int32_t x;   // x16 (1/16 pixel)
  std::int32_t y;   // x16
  ScanValues<N> a;  // attributes in the filler's corner scale
};

// Change per pixel row along an edge: X in 16.16 pixels, attributes in 16.16.
template <int N>
struct EdgeSteps {
  std::int32_t x;
  ScanValues<N> a;
};

// A running edge: where it stands on the current row, and how it moves.
template <int N>
struct ScanEdge {
  std::int32_t x;  // 16.16 pixels
  ScanValues<N> a;
  EdgeSteps<N> step;
};

// ceil(y / 16): the first pixel row at or below a height in sixteenths.
constexpr std::int32_t CeilRow(std::int32_t y) { return WrapAdd(y, 15) >> 4; }

// ceil(x) of a 16.16 position: the first pixel column at or right of it.
constexpr std::int32_t CeilColumn(std::int32_t x) { return WrapAdd(x, 0xFFFF) >> 16; }

// 0x100000 / dY turns a change over an edge of dY sixteenths into a 16.16
// change per pixel row. A flat edge gets 0, which makes all its steps 0.
constexpr std::int32_t EdgeReciprocal(std::int32_t dy) { return dy == 0 ? 0 : 0x100000 / dy; }

// ((to - from) * r) >> 4, taken in 64 bits with the low 32 kept: the nearly
// flat edges of big triangles (the skybox's) pass 2^31 in the product.
constexpr std::int32_t ReciprocalStep(std::int32_t from, std::int32_t to, std::int32_t r) {
  return Low32(((std::int64_t{to} - from) * r) >> 4);
}

// Truncating division whose one overflowing case, INT_MIN / -1, wraps. b != 0.
constexpr std::int32_t WrapDiv(std::int32_t a, std::int32_t b) { return b == -1 ? WrapNeg(a) : a / b; }

// Gradient along the top edge when corners 0 and 1 share a row band:
// ((a1 - a0) * (0x100000 / (X1 - X0))) >> 4, or 1 when the corners share X.
constexpr std::int32_t TopEdgeGradient(std::int32_t a0, std::int32_t a1, std::int32_t x0, std::int32_t x1) {
  const std::int32_t dx = WrapSub(x1, x0);
  if (dx == 0) return 1;
  return WrapMul(WrapSub(a1, a0), 0x100000 / dx) >> 4;
}

// Affine attribute at a span's first pixel: the distance from the edge to the
// pixel's left boundary (16.16, below one pixel) times the gradient.
constexpr std::int32_t AffineFirstPixel(std::int32_t atEdge, std::int32_t offset, std::int32_t gradient) {
  return WrapAdd(atEdge, WrapMul(gradient, offset >> 9) >> 7);
}

// The entry of a 256 x 256 texture under 16.16 texel coordinates; both wrap.
inline std::uint32_t TexelIndex(std::uint32_t u, std::uint32_t v) { return ((v >> 8) & 0xFF00u) | ((u >> 16) & 0xFFu); }

namespace scan_internal {

// An edge leaving corner c, pre-stepped by the 0..15 sixteenths between the
// corner and the first row at or below it.
template <int Shift, int N>
ScanEdge<N> StartEdge(const ScanCorner<N>& c, const EdgeSteps<N>& s) {
  const std::int32_t p = WrapSub(WrapAdd(c.y, 15) & ~15, c.y);
  ScanEdge<N> e;
  e.x = WrapAdd(WrapShl(c.x, 12), WrapMul(p, s.x) >> 4);
  for (int i = 0; i < N; ++i) {
    e.a[i] = WrapAdd(WrapShl(c.a[i], Shift), WrapMul(p, s.a[i]) >> 4);
  }
  e.step = s;
  return e;
}

template <int N>
void AdvanceRows(ScanEdge<N>& e, std::int32_t rows) {
  e.x = WrapAdd(e.x, WrapMul(rows, e.step.x));
  for (int i = 0; i < N; ++i) e.a[i] = WrapAdd(e.a[i], WrapMul(rows, e.step.a[i]));
}

// Rows row .. stop - 1 (already inside the frame) between the two edges; the
// left edge carries the attributes, the right edge X alone.
template <class Filler, int N>
void ScanRows(FrameBuffer& frame, const Filler& filler, ScanEdge<N>& left, ScanEdge<N>& right,
              const ScanValues<N>& gradient, std::int32_t row, std::int32_t stop) {
  for (; row < stop; ++row) {
    std::int32_t start = CeilColumn(left.x);
    const std::int32_t end = CeilColumn(right.x);
    if (start < end && end > 0 && start < kFrameWidth) {
      ScanValues<N> a;
      const std::int32_t offset = WrapSub(WrapShl(start, 16), left.x);
      for (int i = 0; i < N; ++i) a[i] = Filler::AtFirstPixel(left.a[i], offset, gradient[i]);
      if (start < 0) {
        for (int i = 0; i < N; ++i) a[i] = WrapAdd(a[i], WrapMul(WrapNeg(start), gradient[i]));
        start = 0;
      }
      filler.DrawSpan(frame.data() + row * kFrameWidth, start, std::min(end, kFrameWidth), a, gradient);
    }
    left.x = WrapAdd(left.x, left.step.x);
    for (int i = 0; i < N; ++i) left.a[i] = WrapAdd(left.a[i], left.step.a[i]);
    right.x = WrapAdd(right.x, right.step.x);
  }
}

}  // namespace scan_internal

// Fills one triangle through the filler's policy. The policy provides:
//   kAttributes, kStartShift (corner attribute << shift = 16.16 start value),
//   Steps(a, b), UpperGradients(Y1 - Y0, left steps, right steps),
//   FlatTopGradients(c0, c1, XL, XR, left corner, right corner),
//   AtFirstPixel(value at edge, offset, gradient), DrawSpan(row, x, end, values, gradients).
template <class Filler>
void ScanTriangle(FrameBuffer& frame, const Filler& filler, std::array<ScanCorner<Filler::kAttributes>, 3> c) {
  constexpr int N = Filler::kAttributes;
  constexpr int kShift = Filler::kStartShift;
  using scan_internal::AdvanceRows;
  using scan_internal::ScanRows;
  using scan_internal::StartEdge;

  if (c[1].y < c[0].y) std::swap(c[0], c[1]);
  if (c[2].y < c[1].y) std::swap(c[1], c[2]);
  if (c[1].y < c[0].y) std::swap(c[0], c[1]);

  const EdgeSteps<N> s01 = filler.Steps(c[0], c[1]);
  const EdgeSteps<N> s02 = filler.Steps(c[0], c[2]);
  const EdgeSteps<N> s12 = filler.Steps(c[1], c[2]);
  const std::int32_t row0 = CeilRow(c[0].y);
  const std::int32_t row1 = CeilRow(c[1].y);
  const std::int32_t row2 = CeilRow(c[2].y);

  ScanEdge<N> left;
  ScanEdge<N> right;
  ScanValues<N> gradient;
  if (row0 < row1) {
    const bool left01 = s01.x <= s02.x;
    left = StartEdge<kShift>(c[0], left01 ? s01 : s02);
    right = StartEdge<kShift>(c[0], left01 ? s02 : s01);
    gradient = filler.UpperGradients(WrapSub(c[1].y, c[0].y), left.step, right.step);
    std::int32_t row = row0;
    if (row < 0) {
      AdvanceRows(left, WrapNeg(row));
      AdvanceRows(right, WrapNeg(row));
      row = 0;
    }
    ScanRows<Filler, N>(frame, filler, left, right, gradient, row, std::min(row1, kFrameHeight));
    // The edge that ended at corner 1 gives way to edge 1->2; the other one
    // already stands at the lower part's first drawn row.
    ScanEdge<N> e12 = StartEdge<kShift>(c[1], s12);
    if (row1 < 0) AdvanceRows(e12, WrapNeg(row1));
    (left01 ? left : right) = e12;
  } else {
    const bool left02 = s02.x >= s12.x;
    const ScanEdge<N> e02 = StartEdge<kShift>(c[0], s02);
    const ScanEdge<N> e12 = StartEdge<kShift>(c[1], s12);
    left = left02 ? e02 : e12;
    right = left02 ? e12 : e02;
    gradient = filler.FlatTopGradients(c[0], c[1], left.x, right.x, left02 ? c[0] : c[1], left02 ? c[1] : c[0]);
    if (row1 < 0) {
      AdvanceRows(left, WrapNeg(row1));
      AdvanceRows(right, WrapNeg(row1));
    }
  }
  ScanRows<Filler, N>(frame, filler, left, right, gradient, std::max(row1, 0), std::min(row2, kFrameHeight));
}

}  // namespace vantrelle
