#include "tools/datagen/lib/portraits.h"

#include <algorithm>

#include "tools/datagen/lib/dvec3.h"
#include "tools/datagen/lib/noise.h"

namespace vantrelle::datagen {

namespace {

enum Material { kSkin, kAccent, kGlow };

struct Hit {
  double d;
  Material m;
};

double Ellipsoid(D3 p, D3 r) {
  const D3 a{p.x / r.x, p.y / r.y, p.z / r.z};
  const D3 b{p.x / (r.x * r.x), p.y / (r.y * r.y), p.z / (r.z * r.z)};
  const double k0 = Length(a), k1 = Length(b);
  return k1 > 1e-12 ? k0 * (k0 - 1.0) / k1 : -std::min({r.x, r.y, r.z});
}

double Capsule(D3 p, D3 a, D3 b, double r) {
  const D3 pa = p - a, ba = b - a;
  const double h = Clamp01(Dot(pa, ba) / Dot(ba, ba));
  return Length(pa - ba * h) - r;
}

double RoundBox(D3 p, D3 b, double r) {
  const D3 q{(p.x < 0 ? -p.x : p.x) - b.x, (p.y < 0 ? -p.y : p.y) - b.y, (p.z < 0 ? -p.z : p.z) - b.z};
  const D3 outside{std::max(q.x, 0.0), std::max(q.y, 0.0), std::max(q.z, 0.0)};
  return Length(outside) + std::min(std::max(q.x, std::max(q.y, q.z)), 0.0) - r;
}

double SmoothMin(double a, double b, double k) {
  const double h = Clamp01(0.5 + 0.5 * (b - a) / k);
  return Mix(b, a, h) - k * h * (1.0 - h);
}

double SmoothCut(double a, double b, double k) { return -SmoothMin(-a, b, k); }  // a minus b

// The common bust: head, neck and shoulders, with a nose.
double Bust(D3 p, double headWidth) {
  double d = Ellipsoid(p - D3{0.0, 0.32, 0.0}, {headWidth, 0.52, 0.44});
  d = SmoothMin(d, Capsule(p, {0.0, -0.55, -0.04}, {0.0, 0.0, -0.04}, 0.17), 0.08);
  d = SmoothMin(d, Ellipsoid(p - D3{0.0, -1.02, -0.05}, {0.74, 0.42, 0.33}), 0.14);
  d = SmoothMin(d, Ellipsoid(p - D3{0.0, 0.27, 0.42}, {0.055, 0.10, 0.07}), 0.04);
  d = SmoothCut(d, Ellipsoid(p - D3{0.0, 0.07, 0.42}, {0.11, 0.018, 0.06}), 0.02);  // mouth
  return d;
}

Hit Scene(int which, D3 p) {
  switch (which) {
    case 0: {  // gold mask: hollow eyes, a gem on the brow
      double d = Bust(p, 0.40);
      for (double s : {-1.0, 1.0}) {
        d = SmoothCut(d, Ellipsoid(p - D3{0.15 * s, 0.40, 0.40}, {0.10, 0.06, 0.1}), 0.04);
      }
      const double gem = Ellipsoid(p - D3{0.0, 0.62, 0.40}, {0.05, 0.07, 0.04});
      if (gem < d) return {gem, kAccent};
      return {d, kSkin};
    }
    case 1: {  // robot: rounded block head, glowing visor, antenna
      double head = RoundBox(p - D3{0.0, 0.34, 0.0}, {0.30, 0.36, 0.32}, 0.09);
      head = std::min(head, Capsule(p, {0.0, -0.5, -0.03}, {0.0, 0.0, -0.03}, 0.14));
      head = SmoothMin(head, RoundBox(p - D3{0.0, -1.0, -0.05}, {0.55, 0.3, 0.22}, 0.14), 0.06);
      const double antenna =
          std::min(Capsule(p, {0.22, 0.7, 0.0}, {0.3, 1.02, 0.0}, 0.025), Length(p - D3{0.3, 1.04, 0.0}) - 0.055);
      const double visor = RoundBox(p - D3{0.0, 0.40, 0.33}, {0.30, 0.06, 0.08}, 0.03);
      if (visor < head && visor < antenna) return {visor, kGlow};
      if (antenna < head) return {antenna, kAccent};
      return {head, kSkin};
    }
    case 2: {  // marble bust: hair swept back into a bun, closed eyes
      double d = Bust(p, 0.38);
      for (double sgn : {-1.0, 1.0}) {
        d = SmoothMin(d, Ellipsoid(p - D3{0.15 * sgn, 0.40, 0.38}, {0.075, 0.035, 0.05}), 0.03);
      }
      double hair = SmoothMin(Ellipsoid(p - D3{0.0, 0.38, -0.06}, {0.46, 0.55, 0.47}),
                              Length(p - D3{0.0, 0.70, -0.42}) - 0.2, 0.08);
      hair = std::max(hair, p.z - 0.08 - 0.7 * (p.y - 0.45));  // keep the face clear
      if (hair < d) return {hair, kAccent};
      return {d, kSkin};
    }
    default: {  // horned mask: lacquer face, glowing eye slits
      double d = Bust(p, 0.40);
      for (double s : {-1.0, 1.0}) {
        const double horn = std::min(Capsule(p, {0.26 * s, 0.66, 0.0}, {0.46 * s, 0.92, -0.05}, 0.075),
                                     Capsule(p, {0.46 * s, 0.92, -0.05}, {0.50 * s, 1.12, -0.12}, 0.045));
        d = SmoothMin(d, horn, 0.05);
      }
      double eyes = 1e9;
      for (double s : {-1.0, 1.0}) {
        eyes = std::min(eyes, Ellipsoid(p - D3{0.16 * s, 0.40, 0.38}, {0.09, 0.035, 0.06}));
      }
      if (eyes < d + 0.01) return {std::max(eyes, d - 0.01), kGlow};
      return {d, kSkin};
    }
  }
}

struct Look {
  Colour skin, accent, glow;
  double shine;     // specular strength
  int power;        // specular sharpness, a power of two
  Colour key, rim;  // light colours
};

Look LookOf(int which) {
  switch (which) {
    case 0:
      return {{0.95, 0.70, 0.28}, {0.85, 0.08, 0.12}, {0, 0, 0}, 0.9, 32, {1.0, 0.9, 0.75}, {0.3, 0.5, 1.0}};
    case 1:
      return {{0.58, 0.62, 0.68}, {0.9, 0.5, 0.1}, {0.3, 1.0, 0.95}, 0.7, 64, {0.9, 0.95, 1.0}, {1.0, 0.35, 0.6}};
    case 2:
      return {{0.86, 0.83, 0.78}, {0.42, 0.30, 0.22}, {0, 0, 0}, 0.15, 8, {1.0, 0.93, 0.85}, {0.5, 0.8, 1.0}};
    default:
      return {{0.72, 0.07, 0.06}, {0.1, 0.08, 0.08}, {1.0, 0.6, 0.1}, 0.8, 64, {1.0, 0.85, 0.8}, {0.4, 1.0, 0.8}};
  }
}

constexpr double kCameraZ = 4.0;
constexpr double kPlaneHalfHeight = 1.22;  // model units at z = 0 from centre to top row

bool March(int which, D3 origin, D3 dir, D3& at, Hit& hit) {
  double t = 2.0;  // the figure lies within two units of the origin
  for (int i = 0; i < 96 && t < 6.5; ++i) {
    at = origin + dir * t;
    hit = Scene(which, at);
    if (hit.d < 0.0015) return true;
    t += hit.d * 0.9;
  }
  return false;
}

Colour Shade(int which, D3 p, D3 dir, Material m) {
  const Look look = LookOf(which);
  const double e = 0.002;
  const D3 n = Normalise({Scene(which, p + D3{e, 0, 0}).d - Scene(which, p - D3{e, 0, 0}).d,
                          Scene(which, p + D3{0, e, 0}).d - Scene(which, p - D3{0, e, 0}).d,
                          Scene(which, p + D3{0, 0, e}).d - Scene(which, p - D3{0, 0, e}).d});
  if (m == kGlow) return look.glow;  // lit from within: no shading
  Colour base = m == kSkin ? look.skin : look.accent;
  if (which == 2 && m == kSkin) {  // marble veins
    const double v = Fbm3(p.x * 5.0, p.y * 5.0, p.z * 5.0, 4, 55u);
    base = base * (0.88 + 0.12 * SmoothStep(-0.3, 0.3, Sin(12.0 * p.x + 6.0 * v)));
  }
  const D3 key = Normalise({-0.6, 0.55, 0.6}), rim = Normalise({0.85, 0.25, -0.5}), fill = Normalise({0.3, -0.6, 0.7});
  const D3 view = -dir;
  // Cheap ambient occlusion: how open the space is a little off the surface.
  double occlusion = 1.0;
  for (int i = 1; i <= 3; ++i) {
    const double h = 0.04 * i;
    occlusion -= (h - Scene(which, p + n * h).d) * (1.5 / i);
  }
  occlusion = Clamp(occlusion, 0.35, 1.0);
  const double kd = Clamp01(Dot(n, key)), rd = Clamp01(Dot(n, rim)), fd = Clamp01(Dot(n, fill));
  const D3 half = Normalise(key + view);
  double highlight = Clamp01(Dot(n, half));
  for (int k = 1; k < look.power; k *= 2) highlight *= highlight;
  const double edge = 1.0 - Clamp01(Dot(n, view));
  Colour c = base * 0.10 * occlusion;
  c = c + (base * look.key) * (kd * 0.95);
  c = c + (base * Colour{0.5, 0.55, 0.7}) * (fd * 0.18 * occlusion);
  c = c + look.rim * (rd * edge * 0.9 + edge * edge * edge * 0.25);
  c = c + look.key * (highlight * look.shine);
  return c;
}

}  // namespace

Portrait MakePortrait(int which) {
  constexpr int w = kPortraitWidth, h = kPortraitHeight;
  const double pixel = 2.0 * kPlaneHalfHeight / h;
  const D3 eye{0.0, 0.05, kCameraZ};
  auto trace = [&](double sx, double sy, Colour& c) {
    const D3 target{(sx - w / 2.0) * pixel, (h / 2.0 - sy) * pixel, 0.0};
    const D3 dir = Normalise(target - eye + D3{0.0, 0.05, 0.0});
    D3 at;
    Hit hit{};
    if (!March(which, eye, dir, at, hit)) return false;
    c = Shade(which, at, dir, hit.m);
    return true;
  };
  std::vector<Colour> colour(w * h);
  std::vector<double> cover(w * h, 0.0);
  std::vector<int> hitCentre(w * h, 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      Colour c;
      hitCentre[y * w + x] = trace(x + 0.5, y + 0.5, c) ? 1 : 0;
      colour[y * w + x] = c;
      cover[y * w + x] = hitCentre[y * w + x];
    }
  }
  // Along the outline, four samples per pixel give smooth coverage.
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      bool edge = false;
      for (int k = 0; k < 9 && !edge; ++k) {
        const int xx = std::clamp(x + k % 3 - 1, 0, w - 1), yy = std::clamp(y + k / 3 - 1, 0, h - 1);
        edge = hitCentre[yy * w + xx] != hitCentre[y * w + x];
      }
      if (!edge) continue;
      Colour sum;
      int hits = 0;
      for (int s = 0; s < 4; ++s) {
        Colour c;
        if (trace(x + 0.25 + 0.5 * (s & 1), y + 0.25 + 0.5 * (s >> 1), c)) {
          sum = sum + c;
          ++hits;
        }
      }
      cover[y * w + x] = hits / 4.0;
      if (hits > 0) colour[y * w + x] = sum * (1.0 / hits);
    }
  }
  // Soften the outline a little more, and let the bust fade out at the bottom.
  Portrait out;
  out.alpha.resize(w * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      double sum = 0.0;
      for (int k = 0; k < 9; ++k) {
        const int xx = std::clamp(x + k % 3 - 1, 0, w - 1), yy = std::clamp(y + k / 3 - 1, 0, h - 1);
        sum += cover[yy * w + xx] * (k == 4 ? 4.0 : 0.5);
      }
      const double fade = SmoothStep(h, h - 36.0, y + 0.5);
      out.alpha[y * w + x] = ToByte(sum / 8.0 * fade * 255.0);
    }
  }
  // Pixels outside the figure take their nearest neighbour's colour, so the
  // soft edge blends with the figure's own tones.
  for (int pass = 0; pass < 3; ++pass) {
    std::vector<double> grown = cover;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (cover[y * w + x] > 0.0) continue;
        for (int k = 0; k < 9; ++k) {
          const int xx = std::clamp(x + k % 3 - 1, 0, w - 1), yy = std::clamp(y + k / 3 - 1, 0, h - 1);
          if (cover[yy * w + xx] > 0.0) {
            colour[y * w + x] = colour[yy * w + xx];
            grown[y * w + x] = 1.0;
            break;
          }
        }
      }
    }
    cover = grown;
  }
  for (Colour& c : colour) c = {Clamp01(c.r), Clamp01(c.g), Clamp01(c.b)};
  out.picture = QuantiseColours(colour, 0);
  return out;
}

}  // namespace vantrelle::datagen
