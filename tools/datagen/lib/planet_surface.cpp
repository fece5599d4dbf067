#include "tools/datagen/lib/planet_surface.h"

#include "tools/datagen/lib/det_math.h"
#include "tools/datagen/lib/noise.h"

namespace vantrelle::datagen {

namespace {
constexpr std::uint32_t kLandSeed = 1201u;
constexpr std::uint32_t kClimateSeed = 1307u;
constexpr std::uint32_t kCloudSeed = 1409u;
constexpr double kSeaLevel = 0.04;
}  // namespace

Colour PlanetGround(double x, double y, double z) {
  const double e = Fbm3(x * 1.7 + 3.1, y * 1.7 - 0.7, z * 1.7 + 1.9, 7, kLandSeed);
  const double climate = Fbm3(x * 2.3, y * 2.3 + 5.0, z * 2.3, 3, kClimateSeed);
  const double lat = y < 0 ? -y : y;
  Colour c;
  if (e < kSeaLevel) {
    const double depth = SmoothStep(kSeaLevel, kSeaLevel - 0.25, e);
    c = MixColour({0.10, 0.36, 0.52}, {0.02, 0.07, 0.22}, depth);
  } else {
    const double h = SmoothStep(kSeaLevel, kSeaLevel + 0.35, e);
    const Colour forest{0.13, 0.34, 0.11}, plain{0.33, 0.45, 0.18};
    const Colour desert{0.66, 0.53, 0.31}, rock{0.42, 0.36, 0.30};
    const double dry = SmoothStep(-0.05, 0.25, climate) * (1.0 - SmoothStep(0.35, 0.7, lat));
    Colour lowland = MixColour(MixColour(forest, plain, SmoothStep(0.0, 0.3, h)), desert, dry);
    c = MixColour(lowland, rock, SmoothStep(0.35, 0.75, h));
    c = MixColour({0.78, 0.74, 0.58}, c, SmoothStep(0.0, 0.03, e - kSeaLevel));  // beaches
    c = MixColour(c, {0.92, 0.93, 0.96}, SmoothStep(0.8, 0.95, h));              // peaks
  }
  const double ice = SmoothStep(0.88, 0.94, lat + 0.05 * climate);
  return MixColour(c, {0.74, 0.80, 0.88}, ice);
}

double PlanetClouds(double x, double y, double z) {
  // Warp the lookup by a coarser noise so the clouds swirl.
  const double wx = Fbm3(x * 1.3, y * 1.3, z * 1.3, 3, kCloudSeed + 7u);
  const double wz = Fbm3(x * 1.3 + 9.0, y * 1.3, z * 1.3, 3, kCloudSeed + 9u);
  const double c = Fbm3(x * 3.0 + wx * 1.4, y * 6.0, z * 3.0 + wz * 1.4, 6, kCloudSeed);
  return SmoothStep(0.02, 0.42, c) * 0.9;
}

Colour PlanetAlbedo(double x, double y, double z) {
  return MixColour(PlanetGround(x, y, z), {0.95, 0.96, 0.98}, PlanetClouds(x, y, z));
}

}  // namespace vantrelle::datagen
