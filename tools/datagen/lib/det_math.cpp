#include "tools/datagen/lib/det_math.h"

#include <array>
#include <cmath>

namespace vantrelle::datagen {

namespace {

// Cody-Waite split of pi/2: the high part has trailing zero bits, so k * high
// is exact for the arguments we use.
constexpr double kHalfPiHigh = 1.57079632673412561417e+00;
constexpr double kHalfPiLow = 6.07710050650619224932e-11;
constexpr double kTwoOverPi = 0.63661977236758134308;

// Taylor coefficients, worked out at compile time (the same IEEE divisions on
// every machine): kInverseFactorial[n] = 1/n!.
constexpr std::array<double, 18> kInverseFactorial = [] {
  std::array<double, 18> c{};
  double f = 1.0;
  for (int n = 0; n < 18; ++n) {
    if (n > 1) f *= n;
    c[n] = 1.0 / f;
  }
  return c;
}();

// Sine and cosine series on |r| <= pi/4, Horner form; nine terms reach the
// last bits of a double.
double SinKernel(double r) {
  const double r2 = r * r;
  double sum = 0.0;
  for (int n = 8; n >= 1; --n) sum = (sum + ((n & 1) ? -1.0 : 1.0) * kInverseFactorial[2 * n + 1]) * r2;
  return r + r * sum;
}

double CosKernel(double r) {
  const double r2 = r * r;
  double sum = 0.0;
  for (int n = 8; n >= 1; --n) sum = (sum + ((n & 1) ? -1.0 : 1.0) * kInverseFactorial[2 * n]) * r2;
  return 1.0 + sum;
}

// Reduces x to r in [-pi/4, pi/4] and the quadrant x lies in.
double Reduce(double x, long long& quadrant) {
  const double k = std::floor(x * kTwoOverPi + 0.5);
  quadrant = static_cast<long long>(k);
  return (x - k * kHalfPiHigh) - k * kHalfPiLow;
}

}  // namespace

double Floor(double x) { return std::floor(x); }
double Sqrt(double x) { return std::sqrt(x); }

double Sin(double x) {
  long long q = 0;
  const double r = Reduce(x, q);
  switch (q & 3) {
    case 0:
      return SinKernel(r);
    case 1:
      return CosKernel(r);
    case 2:
      return -SinKernel(r);
    default:
      return -CosKernel(r);
  }
}

double Cos(double x) {
  long long q = 0;
  const double r = Reduce(x, q);
  switch (q & 3) {
    case 0:
      return CosKernel(r);
    case 1:
      return -SinKernel(r);
    case 2:
      return -CosKernel(r);
    default:
      return SinKernel(r);
  }
}

double Exp2(double x) {
  const double k = std::floor(x);
  const double f = (x - k) * 0.69314718055994530942;  // ln 2
  double sum = 0.0;
  for (int n = 14; n >= 1; --n) sum = (sum + kInverseFactorial[n]) * f;
  return std::ldexp(1.0 + sum, static_cast<int>(k));
}

double Exp(double x) { return Exp2(x * 1.44269504088896340736); }

double Atan2(double y, double x) {
  if (x == 0.0 && y == 0.0) return 0.0;
  const double ax = std::fabs(x);
  const double ay = std::fabs(y);
  // atan of a ratio in [0, 1], halved twice by the identity
  // atan(z) = 2 atan(z / (1 + sqrt(1 + z^2))) before the series.
  double z = ax > ay ? ay / ax : ax / ay;
  z = z / (1.0 + std::sqrt(1.0 + z * z));
  z = z / (1.0 + std::sqrt(1.0 + z * z));
  const double z2 = z * z;
  double sum = 0.0;
  for (int n = 10; n >= 1; --n) sum = (sum + ((n & 1) ? -1.0 : 1.0) / (2.0 * n + 1.0)) * z2;
  double a = 4.0 * (z + z * sum);
  if (ay > ax) a = kPi / 2.0 - a;
  if (x < 0.0) a = kPi - a;
  return y < 0.0 ? -a : a;
}

std::uint8_t ToByte(double v) {
  const double r = std::floor(v + 0.5);
  if (r <= 0.0) return 0;
  if (r >= 255.0) return 255;
  return static_cast<std::uint8_t>(r);
}

}  // namespace vantrelle::datagen
