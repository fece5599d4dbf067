#pragma once
// Gradient noise in three dimensions and lattice noise that tiles in two.
// Values lie roughly in -1..1; the fractal sums add octaves of halving weight.
#include <cstdint>

namespace vantrelle::datagen {

double Noise3(double x, double y, double z, std::uint32_t seed);
double Fbm3(double x, double y, double z, int octaves, std::uint32_t seed);

// Tiles with period `period` lattice cells in x and y (the octaves double the
// frequency, so the sum tiles too).
double TiledNoise2(double x, double y, int period, std::uint32_t seed);
double TiledFbm2(double x, double y, int period, int octaves, std::uint32_t seed);

}  // namespace vantrelle::datagen
