#include "tools/datagen/lib/clip.h"

#include "tools/datagen/lib/det_math.h"

namespace vantrelle::datagen {

namespace {

// One clip frame's intensity (0..1) at pixel position (x, y) and loop phase
// 0..1, with the tunnel's far end at (cx, cy). Every motion makes whole
// turns or whole pattern periods per loop.
double TunnelLight(double x, double y, double phase, double cx, double cy) {
  const double dx = (x - cx) * 1.25;  // the player widens pixels 5:4
  const double dy = y - cy;
  const double r = Sqrt(dx * dx + dy * dy) + 0.01;
  const double angle = Atan2(dy, dx) / kTwoPi;  // -0.5..0.5
  const double depth = 64.0 / r + 6.0 * phase;  // six rings pass per loop
  const double around = angle * 8.0 + 2.0 * phase + 0.2 * Sin(kTwoPi * depth * 0.5);
  // Soft checkered tiles on the tunnel wall, with bright seams between rings.
  const double tiles = Sin(kTwoPi * depth) * Sin(kTwoPi * around);
  double v = 0.22 + 0.5 * SmoothStep(-0.2, 0.2, tiles);
  const double seam = Fract(depth);
  v += 0.45 * SmoothStep(0.07, 0.0, seam < 0.5 ? seam : 1.0 - seam);
  const double fog = SmoothStep(1.5, 30.0, r);
  const double light = Exp(-r * r / 6.0);  // the far end of the tunnel
  return Clamp01(v * fog + light);
}

}  // namespace

std::vector<std::uint8_t> MakeClip() {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(kClipFrames) * kClipWidth * kClipHeight);
  std::size_t i = 0;
  for (int f = 0; f < kClipFrames; ++f) {
    const double phase = static_cast<double>(f) / kClipFrames;
    const double cx = 40.0 + 9.0 * Sin(kTwoPi * phase);
    const double cy = 30.0 + 6.0 * Sin(kTwoPi * 2.0 * phase + 0.6);
    for (int y = 0; y < kClipHeight; ++y) {
      for (int x = 0; x < kClipWidth; ++x) {
        double sum = 0.0;  // four samples per pixel against shimmer
        for (int s = 0; s < 4; ++s) {
          sum += TunnelLight(x + 0.25 + 0.5 * (s & 1), y + 0.25 + 0.5 * (s >> 1), phase, cx, cy);
        }
        out[i++] = ToByte(sum * 0.25 * 200.0);
      }
    }
  }
  return out;
}

}  // namespace vantrelle::datagen
