#include "tools/datagen/lib/noise.h"

#include "tools/datagen/lib/det_math.h"
#include "tools/datagen/lib/random.h"

namespace vantrelle::datagen {

namespace {

double Fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

// One of twelve edge directions of a cube, picked by the hash.
double Gradient3(std::uint32_t h, double x, double y, double z) {
  switch (h % 12u) {
    case 0:
      return x + y;
    case 1:
      return -x + y;
    case 2:
      return x - y;
    case 3:
      return -x - y;
    case 4:
      return x + z;
    case 5:
      return -x + z;
    case 6:
      return x - z;
    case 7:
      return -x - z;
    case 8:
      return y + z;
    case 9:
      return -y + z;
    case 10:
      return y - z;
    default:
      return -y - z;
  }
}

double Gradient2(std::uint32_t h, double x, double y) {
  switch (h & 7u) {
    case 0:
      return x + y;
    case 1:
      return -x + y;
    case 2:
      return x - y;
    case 3:
      return -x - y;
    case 4:
      return x;
    case 5:
      return -x;
    case 6:
      return y;
    default:
      return -y;
  }
}

std::uint32_t U(long long v) { return static_cast<std::uint32_t>(v); }

}  // namespace

double Noise3(double x, double y, double z, std::uint32_t seed) {
  const double fx = Floor(x), fy = Floor(y), fz = Floor(z);
  const long long ix = static_cast<long long>(fx), iy = static_cast<long long>(fy), iz = static_cast<long long>(fz);
  const double rx = x - fx, ry = y - fy, rz = z - fz;
  const double u = Fade(rx), v = Fade(ry), w = Fade(rz);
  double corner[8];
  for (int c = 0; c < 8; ++c) {
    const int dx = c & 1, dy = (c >> 1) & 1, dz = (c >> 2) & 1;
    const std::uint32_t h = Hash(U(ix + dx), U(iy + dy), U(iz + dz), seed);
    corner[c] = Gradient3(h, rx - dx, ry - dy, rz - dz);
  }
  const double x00 = Mix(corner[0], corner[1], u), x10 = Mix(corner[2], corner[3], u);
  const double x01 = Mix(corner[4], corner[5], u), x11 = Mix(corner[6], corner[7], u);
  return Mix(Mix(x00, x10, v), Mix(x01, x11, v), w);
}

double Fbm3(double x, double y, double z, int octaves, std::uint32_t seed) {
  double sum = 0.0, amplitude = 1.0, norm = 0.0;
  for (int o = 0; o < octaves; ++o) {
    sum += amplitude * Noise3(x, y, z, seed + static_cast<std::uint32_t>(o) * 101u);
    norm += amplitude;
    amplitude *= 0.5;
    x *= 2.03;  // not exactly 2, so the octaves' lattices do not line up
    y *= 2.03;
    z *= 2.03;
  }
  return sum / norm;
}

double TiledNoise2(double x, double y, int period, std::uint32_t seed) {
  const double fx = Floor(x), fy = Floor(y);
  const long long ix = static_cast<long long>(fx), iy = static_cast<long long>(fy);
  const double rx = x - fx, ry = y - fy;
  const double u = Fade(rx), v = Fade(ry);
  auto wrap = [period](long long i) { return U(((i % period) + period) % period); };
  double corner[4];
  for (int c = 0; c < 4; ++c) {
    const int dx = c & 1, dy = c >> 1;
    corner[c] = Gradient2(Hash(wrap(ix + dx), wrap(iy + dy), seed), rx - dx, ry - dy);
  }
  return Mix(Mix(corner[0], corner[1], u), Mix(corner[2], corner[3], u), v);
}

double TiledFbm2(double x, double y, int period, int octaves, std::uint32_t seed) {
  double sum = 0.0, amplitude = 1.0, norm = 0.0;
  for (int o = 0; o < octaves; ++o) {
    sum += amplitude * TiledNoise2(x, y, period, seed + static_cast<std::uint32_t>(o) * 101u);
    norm += amplitude;
    amplitude *= 0.5;
    x *= 2.0;
    y *= 2.0;
    period *= 2;
  }
  return sum / norm;
}

}  // namespace vantrelle::datagen
