#include "tools/datagen/lib/star_sky.h"

#include "tools/datagen/lib/det_math.h"
#include "tools/datagen/lib/noise.h"
#include "tools/datagen/lib/random.h"

namespace vantrelle::datagen {

namespace {

constexpr int kSize = kStarSkySize;
constexpr int kMask = kSize - 1;
// The light rays of the opening seed on pixels brighter than 240: only the
// cores of the few bright stars may go above that.
constexpr double kDimStarPeak = 215.0;

struct Sky {
  std::vector<double> v = std::vector<double>(kSize * kSize, 0.0);
  double& At(int x, int y) { return v[static_cast<std::size_t>(y & kMask) * kSize + (x & kMask)]; }
};

// Adds a round star whose brightness falls off as a Gaussian of radius sigma.
void Splat(Sky& sky, double cx, double cy, double peak, double sigma) {
  const int reach = static_cast<int>(sigma * 3.0) + 1;
  const int ix = static_cast<int>(Floor(cx)), iy = static_cast<int>(Floor(cy));
  for (int dy = -reach; dy <= reach; ++dy) {
    for (int dx = -reach; dx <= reach; ++dx) {
      const double ddx = ix + dx + 0.5 - cx, ddy = iy + dy + 0.5 - cy;
      const double d2 = ddx * ddx + ddy * ddy;
      sky.At(ix + dx, iy + dy) += peak * Exp(-d2 / (2.0 * sigma * sigma));
    }
  }
}

// A bright star: hot core, a wide soft halo and four faint spikes.
void BrightStar(Sky& sky, double cx, double cy, double strength) {
  const int reach = 28;
  const int ix = static_cast<int>(Floor(cx)), iy = static_cast<int>(Floor(cy));
  for (int dy = -reach; dy <= reach; ++dy) {
    for (int dx = -reach; dx <= reach; ++dx) {
      const double ddx = ix + dx + 0.5 - cx, ddy = iy + dy + 0.5 - cy;
      const double d2 = ddx * ddx + ddy * ddy;
      const double d = Sqrt(d2);
      double v = 300.0 * Exp(-d2 / 2.2) + 70.0 * strength * Exp(-d / 5.0);
      const double spikeX = Exp(-ddy * ddy / 0.35) * Exp(-(ddx < 0 ? -ddx : ddx) / 7.0);
      const double spikeY = Exp(-ddx * ddx / 0.35) * Exp(-(ddy < 0 ? -ddy : ddy) / 7.0);
      v += 90.0 * strength * (spikeX + spikeY);
      sky.At(ix + dx, iy + dy) += v * SmoothStep(reach, reach - 6.0, d);
    }
  }
}

}  // namespace

std::vector<std::uint8_t> MakeStarSky() {
  Sky sky;
  // Faint nebula: tiled fractal noise, shaped into a few drifting clouds.
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const double u = x * (4.0 / kSize), v = y * (4.0 / kSize);
      const double cloud = TiledFbm2(u, v, 4, 5, 71u);
      const double lanes = TiledFbm2(u * 2.0 + 0.37, v * 2.0 + 0.61, 8, 4, 93u);
      const double density = SmoothStep(-0.05, 0.45, cloud) * (0.6 + 0.4 * SmoothStep(-0.3, 0.3, lanes));
      sky.At(x, y) = 16.0 * density + 3.0;  // faint: the 3D scenes bloom it
    }
  }
  Random rng(0x5EA5C0DEull);
  for (int i = 0; i < 3200; ++i) {  // the deep field
    const double x = rng.Range(0.0, kSize), y = rng.Range(0.0, kSize);
    const double u = rng.Uniform();
    Splat(sky, x, y, 30.0 + 110.0 * u * u, 0.45);
  }
  for (int i = 0; i < 260; ++i) {  // nearer stars, a little larger
    const double x = rng.Range(0.0, kSize), y = rng.Range(0.0, kSize);
    // Drawn in this order (the set's bytes depend on it), not as call arguments,
    // whose order is the compiler's choice.
    const double sigma = rng.Range(0.65, 0.95);
    const double peak = rng.Range(110.0, 190.0);
    Splat(sky, x, y, peak, sigma);
  }
  for (double& v : sky.v) v = v > kDimStarPeak ? kDimStarPeak : v;
  for (int i = 0; i < 11; ++i) {  // the few bright ones
    const double x = rng.Range(0.0, kSize), y = rng.Range(0.0, kSize);
    BrightStar(sky, x, y, rng.Range(0.6, 1.0));
  }
  std::vector<std::uint8_t> out(kSize * kSize);
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = ToByte(sky.v[i]);
  return out;
}

}  // namespace vantrelle::datagen
