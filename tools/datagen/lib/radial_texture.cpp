#include "tools/datagen/lib/radial_texture.h"

#include "tools/datagen/lib/det_math.h"

namespace vantrelle::datagen {

namespace {

// Rainbow-like cosine palette.
Colour Spectrum(double t) {
  return {0.5 + 0.5 * Cos(kTwoPi * (t + 0.00)), 0.5 + 0.5 * Cos(kTwoPi * (t + 0.33)),
          0.5 + 0.5 * Cos(kTwoPi * (t + 0.67))};
}

}  // namespace

PalettePicture MakeRadialTexture() {
  constexpr int kSize = 256;
  std::vector<Colour> texels(kSize * kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      // Whole numbers of waves across the page keep every term tiling.
      const double u = (x + 0.5) / kSize, v = (y + 0.5) / kSize;
      const double hue = 2.0 * v + 0.12 * Sin(kTwoPi * 3.0 * u) + 0.08 * Sin(kTwoPi * (2.0 * u + 5.0 * v));
      const double petals = Sin(kTwoPi * (4.0 * u + 2.0 * v)) * Sin(kTwoPi * (2.0 * u - 3.0 * v));
      const double ring = Fract(8.0 * v + 0.25 * Sin(kTwoPi * 2.0 * u));
      const double groove = SmoothStep(0.0, 0.12, ring) * SmoothStep(1.0, 0.82, ring);
      Colour c = Spectrum(hue);
      c = MixColour(c, Spectrum(hue + 0.5), SmoothStep(0.2, 0.8, petals) * 0.6);
      const double shade = (0.45 + 0.55 * groove) * (0.75 + 0.25 * petals);
      c = c * shade;
      texels[y * kSize + x] = {Clamp01(c.r), Clamp01(c.g), Clamp01(c.b)};
    }
  }
  return QuantiseColours(texels, 0);
}

}  // namespace vantrelle::datagen
