#include "tools/datagen/lib/planet_skybox.h"

#include "tools/datagen/lib/det_math.h"
#include "tools/datagen/lib/noise.h"
#include "tools/datagen/lib/random.h"

namespace vantrelle::datagen {

namespace {

constexpr double kStarCellsPerUnit = 24.0;
constexpr double kStarChance = 0.16;
constexpr double kStarSigma = 0.0038;  // under a texel on the cube

double StarLight(double dx, double dy, double dz) {
  const double cx = Floor(dx * kStarCellsPerUnit), cy = Floor(dy * kStarCellsPerUnit),
               cz = Floor(dz * kStarCellsPerUnit);
  double light = 0.0;
  for (int k = 0; k < 27; ++k) {
    const int ox = k % 3 - 1, oy = (k / 3) % 3 - 1, oz = k / 9 - 1;
    const auto ix = static_cast<std::uint32_t>(static_cast<long long>(cx) + ox);
    const auto iy = static_cast<std::uint32_t>(static_cast<long long>(cy) + oy);
    const auto iz = static_cast<std::uint32_t>(static_cast<long long>(cz) + oz);
    if (HashUnit(ix, iy, iz, 11u) >= kStarChance) continue;
    double sx = (cx + ox + HashUnit(ix, iy, iz, 12u)) / kStarCellsPerUnit;
    double sy = (cy + oy + HashUnit(ix, iy, iz, 13u)) / kStarCellsPerUnit;
    double sz = (cz + oz + HashUnit(ix, iy, iz, 14u)) / kStarCellsPerUnit;
    const double sl = Sqrt(sx * sx + sy * sy + sz * sz);
    if (sl < 0.5) continue;
    sx /= sl;
    sy /= sl;
    sz /= sl;
    const double ex = dx - sx, ey = dy - sy, ez = dz - sz;
    const double d2 = ex * ex + ey * ey + ez * ez;
    if (d2 > 16.0 * kStarSigma * kStarSigma) continue;
    const double u = HashUnit(ix, iy, iz, 15u);
    light += (0.15 + 1.1 * u * u * u * u) * Exp(-d2 / (2.0 * kStarSigma * kStarSigma));
  }
  return light;
}

Colour SkyColour(double x, double y, double z) {
  // A broad band of nebula around a tilted great circle, plus scattered wisps.
  const double ax = 0.35, ay = 0.80, az = -0.49;
  const double h = x * ax + y * ay + z * az;
  const double band = Exp(-h * h / 0.18);
  const double wx = Fbm3(x * 1.5, y * 1.5, z * 1.5, 3, 301u);
  const double n1 = Fbm3(x * 2.2 + wx, y * 2.2 - wx, z * 2.2, 6, 302u);
  const double n2 = Fbm3(x * 4.5, y * 4.5 + wx, z * 4.5, 5, 303u);
  const double dust = Fbm3(x * 3.3 + 4.0, y * 3.3, z * 3.3 - wx, 5, 304u);
  const double gas = SmoothStep(-0.25, 0.55, n1 + 0.35 * band) * (0.25 + 0.75 * band);
  const double hot = SmoothStep(0.15, 0.6, n2 + 0.3 * band) * gas;
  Colour c{0.012, 0.014, 0.035};
  c = c + Colour{0.12, 0.34, 0.48} * (gas * 1.2);         // teal gas
  c = c + Colour{0.55, 0.12, 0.42} * (hot * 0.8);         // magenta emission
  c = c + Colour{0.95, 0.60, 0.30} * (hot * hot * 0.55);  // hot cores
  const double lane = SmoothStep(0.0, 0.35, dust) * band;
  c = c * (1.0 - 0.75 * lane);
  const double stars = StarLight(x, y, z) * (1.0 - 0.6 * lane);
  return c + Colour{0.95, 0.95, 1.0} * stars;
}

}  // namespace

void SkyboxTexelDirection(int page, double x, double y, double out[3]) {
  // The cube face drawn with this page (pages are face + 1, modulo 6); the
  // face's grid puts texel column 64 c and row 64 r at grid vertex (r, c).
  const int face = (page + 5) % 6;
  const double a = -1.0 + x / 128.0, b = 1.0 - y / 128.0, e = 1.0 - x / 128.0, g = -1.0 + y / 128.0;
  switch (face) {
    case 0:
      out[0] = a;
      out[1] = b;
      out[2] = 1.0;
      break;
    case 1:
      out[0] = 1.0;
      out[1] = b;
      out[2] = e;
      break;
    case 2:
      out[0] = e;
      out[1] = b;
      out[2] = -1.0;
      break;
    case 3:
      out[0] = -1.0;
      out[1] = b;
      out[2] = a;
      break;
    case 4:
      out[0] = a;
      out[1] = -1.0;
      out[2] = b;
      break;
    default:
      out[0] = a;
      out[1] = 1.0;
      out[2] = g;
      break;
  }
}

PalettePicture MakePlanetSkybox() {
  std::vector<Colour> texels(6 * kSkyboxFace * kSkyboxFace);
  for (int page = 0; page < 6; ++page) {
    for (int y = 0; y < kSkyboxFace; ++y) {
      for (int x = 0; x < kSkyboxFace; ++x) {
        double d[3];
        SkyboxTexelDirection(page, x + 0.5, y + 0.5, d);
        const double l = Sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        const Colour c = SkyColour(d[0] / l, d[1] / l, d[2] / l);
        texels[(page * kSkyboxFace + y) * kSkyboxFace + x] = {Clamp01(c.r), Clamp01(c.g), Clamp01(c.b)};
      }
    }
  }
  return QuantiseColours(texels, 0);
}

}  // namespace vantrelle::datagen
