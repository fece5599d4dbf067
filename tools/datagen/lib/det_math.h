#pragma once
// Elementary functions written out in plain double arithmetic, so that the
// data set comes out bit for bit the same on every machine and C library
// (floor, sqrt and the four operations are exact IEEE operations; sin, exp
// and friends from the C library are not guaranteed to be).
#include <cstdint>

namespace vantrelle::datagen {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2.0 * kPi;

double Sin(double x);
double Cos(double x);
double Exp2(double x);  // 2^x, x within -1000..1000
double Exp(double x);
double Atan2(double y, double x);  // -pi..pi
double Floor(double x);
double Sqrt(double x);

inline double Clamp(double x, double lo, double hi) { return x < lo ? lo : (x > hi ? hi : x); }
inline double Clamp01(double x) { return Clamp(x, 0.0, 1.0); }
inline double Mix(double a, double b, double t) { return a + (b - a) * t; }
inline double SmoothStep(double e0, double e1, double x) {
  const double t = Clamp01((x - e0) / (e1 - e0));
  return t * t * (3.0 - 2.0 * t);
}
inline double Fract(double x) { return x - Floor(x); }

// Rounds to the nearest integer and clamps into a byte.
std::uint8_t ToByte(double v);

}  // namespace vantrelle::datagen
