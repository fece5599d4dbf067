#pragma once
// A small double-precision vector for the generators' geometry.
#include "tools/datagen/lib/det_math.h"

namespace vantrelle::datagen {

struct D3 {
  double x = 0.0, y = 0.0, z = 0.0;
};

inline D3 operator+(D3 a, D3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline D3 operator-(D3 a, D3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline D3 operator-(D3 a) { return {-a.x, -a.y, -a.z}; }
inline D3 operator*(D3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline double Dot(D3 a, D3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline D3 Cross(D3 a, D3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double Length(D3 a) { return Sqrt(Dot(a, a)); }
inline D3 Normalise(D3 a) {
  const double l = Length(a);
  return l > 0.0 ? a * (1.0 / l) : D3{0.0, 0.0, 0.0};
}

}  // namespace vantrelle::datagen
