#include "tools/datagen/lib/planet.h"

#include "tools/datagen/lib/det_math.h"
#include "tools/datagen/lib/noise.h"
#include "tools/datagen/lib/planet_surface.h"

namespace vantrelle::datagen {

namespace {

// The sun sits above and behind the planet in the opening (the glow disc):
// the top limb is lit, the lower half turns to night.
constexpr double kLight[3] = {-0.22, 0.80, 0.42};
constexpr double kTilt = 0.41;  // axis tilt, radians
constexpr double kSpin = 2.2;   // which side faces us, radians

}  // namespace

PalettePicture MakePlanet() {
  const double ll = Sqrt(kLight[0] * kLight[0] + kLight[1] * kLight[1] + kLight[2] * kLight[2]);
  const double lx = kLight[0] / ll, ly = kLight[1] / ll, lz = kLight[2] / ll;
  const double ct = Cos(kTilt), st = Sin(kTilt), cs = Cos(kSpin), ss = Sin(kSpin);
  std::vector<Colour> inside;
  std::vector<int> where;
  for (int py = 0; py < kPlanetSize; ++py) {
    for (int px = 0; px < kPlanetSize; ++px) {
      const double nx = (px + 0.5 - kPlanetCentre) / kPlanetRadius;
      const double ny = (kPlanetCentre - (py + 0.5)) / kPlanetRadius;  // up
      const double r2 = nx * nx + ny * ny;
      if (r2 >= 1.0) continue;
      const double nz = Sqrt(1.0 - r2);  // toward the viewer
      // View to body frame: undo the tilt about z, then the spin about y.
      const double tx = nx * ct + ny * st, ty = -nx * st + ny * ct, tz = nz;
      const double bx = tx * cs - tz * ss, by = ty, bz = tx * ss + tz * cs;
      const Colour ground = PlanetGround(bx, by, bz);
      const double cloud = PlanetClouds(bx, by, bz);
      const double lambert = nx * lx + ny * ly + nz * lz;
      const double day = SmoothStep(-0.12, 0.35, lambert);
      const double diffuse = Clamp01(lambert) * 0.9 + 0.1 * day;
      // Sun glint on the sea: the half vector between light and viewer.
      const double hx = lx, hy = ly, hz = lz + 1.0;
      const double hl = Sqrt(hx * hx + hy * hy + hz * hz);
      const double nh = Clamp01((nx * hx + ny * hy + nz * hz) / hl);
      double glint = nh * nh;
      glint *= glint;
      glint *= glint;
      glint *= glint;
      const double sea = ground.b > ground.g * 1.2 ? 1.0 : 0.0;
      Colour c = MixColour(ground, {0.96, 0.97, 1.0}, cloud) * diffuse;
      c = c + Colour{1.0, 0.92, 0.75} * (glint * sea * (1.0 - cloud) * 0.7 * day);
      // City lights on the night side's land.
      const double lights = SmoothStep(0.25, 0.55, Noise3(bx * 40.0, by * 40.0, bz * 40.0, 777u));
      c = c + Colour{1.0, 0.7, 0.35} * (lights * (1.0 - sea) * (1.0 - day) * (1.0 - cloud) * 0.35);
      // Atmosphere: a blue rim, strongest on the lit limb.
      const double rim = (1.0 - nz);
      const double rim3 = rim * rim * rim;
      c = c * (1.0 - 0.45 * rim3) + Colour{0.35, 0.6, 1.0} * (rim3 * (0.15 + 1.1 * Clamp01(lambert + 0.25)));
      // Anti-aliased edge against the black of index 0.
      const double edge = Clamp01((1.0 - Sqrt(r2)) * kPlanetRadius);
      c = c * edge;
      inside.push_back({Clamp01(c.r), Clamp01(c.g), Clamp01(c.b)});
      where.push_back(py * kPlanetSize + px);
    }
  }
  PalettePicture q = QuantiseColours(inside, 1);
  PalettePicture out;
  out.palette = q.palette;  // entry 0 stays black: OR-ed over the stars it changes nothing
  out.indices.assign(kPlanetSize * kPlanetSize, 0);
  for (std::size_t i = 0; i < where.size(); ++i) out.indices[where[i]] = q.indices[i];
  return out;
}

PalettePicture MakePlanetMap() {
  std::vector<Colour> texels(kPlanetSize * kPlanetSize);
  for (int row = 0; row < kPlanetSize; ++row) {
    // The sphere's ring r sits at texel row 16 r and at 129 r / 4096 of a turn.
    const double theta = kTwoPi * (129.0 / 16.0) * (row + 0.5) / 4096.0;
    const double st = Sin(theta), ct = Cos(theta);
    for (int col = 0; col < kPlanetSize; ++col) {
      const double phi = kTwoPi * (col + 0.5) / kPlanetSize;
      const double x = Sin(phi) * st, y = ct, z = Cos(phi) * st;
      // Unlit, and kept a little dark: the sphere's scene blooms everything.
      const Colour c = PlanetAlbedo(x, y, z) * 0.78;
      texels[row * kPlanetSize + col] = {Clamp01(c.r), Clamp01(c.g), Clamp01(c.b)};
    }
  }
  return QuantiseColours(texels, 0);
}

}  // namespace vantrelle::datagen
