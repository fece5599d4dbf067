#include "tools/datagen/lib/station_mesh.h"

#include <functional>

#include "tools/datagen/lib/dvec3.h"
#include "tools/datagen/lib/end_texture.h"

namespace vantrelle::datagen {

namespace {

// Geometry is built in the renderer's axes (y up); the file stores (x, y, z)
// as (X, -Z, Y) because the loader turns file (x, y, z) into (x, z, -y).
struct Triangle {
  int corner[3];
  double u[3], v[3];  // texels
  int page;
};

struct SurfacePoint {
  D3 position, normal;
  double u = 0.0, v = 0.0;  // texels
};

class MeshBuilder {
 public:
  // A grid of (ns + 1) x (nt + 1) points over a parametric surface; each
  // cell becomes two triangles wound so that their normal agrees with the
  // surface normal (outward).
  void Grid(int ns, int nt, int page, const std::function<SurfacePoint(double, double)>& at) {
    const int base = static_cast<int>(positions_.size());
    std::vector<SurfacePoint> pts;
    for (int j = 0; j <= nt; ++j) {
      for (int i = 0; i <= ns; ++i) {
        const SurfacePoint p = at(static_cast<double>(i) / ns, static_cast<double>(j) / nt);
        pts.push_back(p);
        positions_.push_back(p.position);
        normals_.push_back(Normalise(p.normal));
      }
    }
    auto idx = [ns](int i, int j) { return j * (ns + 1) + i; };
    for (int j = 0; j < nt; ++j) {
      for (int i = 0; i < ns; ++i) {
        const int a = idx(i, j), b = idx(i + 1, j), c = idx(i + 1, j + 1), d = idx(i, j + 1);
        AddTriangle(base, pts, a, b, c, page);
        AddTriangle(base, pts, a, c, d, page);
      }
    }
  }

  std::vector<std::uint8_t> Encode() const;

 private:
  void AddTriangle(int base, const std::vector<SurfacePoint>& pts, int a, int b, int c, int page) {
    const D3 pa = pts[a].position, pb = pts[b].position, pc = pts[c].position;
    const D3 n = Cross(pb - pa, pc - pa);
    if (Length(n) < 1e-9) return;  // collapsed cell at a pole or tip
    const D3 outward = pts[a].normal + pts[b].normal + pts[c].normal;
    Triangle t{};
    int order[3] = {a, b, c};
    if (Dot(n, outward) < 0.0) {
      order[1] = c;
      order[2] = b;
    }
    for (int k = 0; k < 3; ++k) {
      t.corner[k] = base + order[k];
      t.u[k] = pts[order[k]].u;
      t.v[k] = pts[order[k]].v;
    }
    t.page = page;
    triangles_.push_back(t);
  }

  std::vector<D3> positions_, normals_;
  std::vector<Triangle> triangles_;
};

std::int32_t Fixed(double v) { return static_cast<std::int32_t>(Floor(v * 65536.0 + 0.5)); }

std::vector<std::uint8_t> MeshBuilder::Encode() const {
  // The counts are checked against the renderer's limits with the rest of the data set.
  const std::size_t vertexCount = positions_.size(), faceCount = triangles_.size();
  std::vector<std::uint8_t> out;
  auto put16 = [&out](std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  auto put32 = [&out](std::int32_t s) {
    const auto v = static_cast<std::uint32_t>(s);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  auto putVector = [&](D3 p) {  // renderer axes to file axes
    put32(Fixed(p.x));
    put32(Fixed(-p.z));
    put32(Fixed(p.y));
  };
  put16(kMeshFlags);
  put16(static_cast<std::uint32_t>(vertexCount));
  put16(static_cast<std::uint32_t>(faceCount));
  for (int i = 0; i < 10; ++i) out.push_back(0);
  for (const D3& p : positions_) putVector(p);
  for (const D3& n : normals_) putVector(n);
  for (const Triangle& t : triangles_) {
    for (int k = 0; k < 3; ++k) put32(4 * t.corner[k]);  // stored as 4 x index
  }
  // Texture coordinates are stored in 1/256 texel; v is stored negated
  // because the loader negates it back.
  for (const Triangle& t : triangles_) {
    for (int k = 0; k < 3; ++k) put32(static_cast<std::int32_t>(Floor(t.u[k] * 16.0 + 0.5)) * 16);
  }
  for (const Triangle& t : triangles_) {
    for (int k = 0; k < 3; ++k) put32(-static_cast<std::int32_t>(Floor(t.v[k] * 16.0 + 0.5)) * 16);
  }
  for (const Triangle& t : triangles_) {
    const D3 a = positions_[t.corner[0]], b = positions_[t.corner[1]], c = positions_[t.corner[2]];
    putVector(Normalise(Cross(b - a, c - a)));
  }
  for (const Triangle& t : triangles_) put32((t.page << 16) | kTexturedKind);
  return out;
}

D3 Ring(double angle, double radius, double y) { return {radius * Cos(angle), y, radius * Sin(angle)}; }

// A surface of revolution about the y axis through the profile points
// (radius, height); normals follow the profile's slope.
// Normals point away from the axis where the profile climbs, so a hull's
// profile runs from bottom to top.
void Lathe(MeshBuilder& m, const std::vector<std::pair<double, double>>& profile, int sides, int page, double uTexels,
           double vBase, double vTexels) {
  const int n = static_cast<int>(profile.size()) - 1;
  m.Grid(sides, n, page, [&](double s, double t) {
    const int j = static_cast<int>(Floor(t * n + 0.5));
    const double angle = kTwoPi * s;
    const auto [r, y] = profile[j];
    const auto [r0, y0] = profile[j > 0 ? j - 1 : j];
    const auto [r1, y1] = profile[j < n ? j + 1 : j];
    // Normal of the profile: perpendicular to its tangent (dr, dy).
    const double dr = r1 - r0, dy = y1 - y0;
    SurfacePoint p;
    p.position = Ring(angle, r, y);
    p.normal = Normalise(D3{dy * Cos(angle), -dr, dy * Sin(angle)});
    if (Length(p.normal) < 0.5) p.normal = {Cos(angle), 0.0, Sin(angle)};
    p.u = s * uTexels;
    p.v = vBase + t * vTexels;
    return p;
  });
}

// A box from `lo` to `hi`, each side a grid of cells.
void Box(MeshBuilder& m, D3 lo, D3 hi, int cells, int page, double vBase, double texelsPerUnit) {
  const D3 size = hi - lo;
  for (int side = 0; side < 6; ++side) {
    const int axis = side / 2;
    const bool high = (side & 1) != 0;
    m.Grid(cells, cells, page, [&](double s, double t) {
      double c[3] = {0, 0, 0};
      const int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
      const double l[3] = {lo.x, lo.y, lo.z}, sz[3] = {size.x, size.y, size.z};
      c[axis] = l[axis] + (high ? sz[axis] : 0.0);
      c[a1] = l[a1] + s * sz[a1];
      c[a2] = l[a2] + t * sz[a2];
      double n[3] = {0, 0, 0};
      n[axis] = high ? 1.0 : -1.0;
      SurfacePoint p;
      p.position = {c[0], c[1], c[2]};
      p.normal = {n[0], n[1], n[2]};
      p.u = s * sz[a1] * texelsPerUnit;
      p.v = vBase + t * sz[a2] * texelsPerUnit;
      return p;
    });
  }
}

// A cylinder between two points (a tube with flat ends).
void Strut(MeshBuilder& m, D3 from, D3 to, double radius, int sides, int segments) {
  const D3 axis = Normalise(to - from);
  const D3 helper = (axis.y < 0.9 && axis.y > -0.9) ? D3{0, 1, 0} : D3{1, 0, 0};
  const D3 e1 = Normalise(Cross(axis, helper)), e2 = Cross(axis, e1);
  const double length = Length(to - from);
  m.Grid(sides, segments, 1, [&](double s, double t) {
    const double a = kTwoPi * s;
    const D3 radial = e1 * Cos(a) + e2 * Sin(a);
    SurfacePoint p;
    p.position = from + axis * (t * length) + radial * radius;
    p.normal = radial;
    p.u = t * length * 24.0;
    p.v = kEndTexturePipeRow + s * 64.0;
    return p;
  });
}

}  // namespace

std::vector<std::uint8_t> MakeStationMesh() {
  MeshBuilder m;
  // Core: a plated spindle along y with tapered ends.
  Lathe(m,
        {{0.0, -7.2},
         {1.0, -7.0},
         {2.2, -5.6},
         {2.6, -4.0},
         {2.6, -1.6},
         {3.1, -1.0},
         {3.1, 1.0},
         {2.6, 1.6},
         {2.6, 4.0},
         {2.0, 5.4},
         {0.9, 6.4},
         {0.0, 6.6}},
        24, 0, 512.0, 0.0, 704.0);
  // Habitat ring: a torus of radius 9 with its windows facing outward.
  constexpr double kRingRadius = 9.0, kTube = 1.15;
  m.Grid(40, 10, 0, [&](double s, double t) {
    const double a = kTwoPi * s, b = kTwoPi * t;  // b = 0 on the ring's inner side
    const D3 centre = Ring(a, kRingRadius, 0.0);
    const D3 out = Ring(a, 1.0, 0.0);
    const D3 radial = out * (-Cos(b)) + D3{0.0, Sin(b), 0.0};
    SurfacePoint p;
    p.position = centre + radial * kTube;
    p.normal = radial;
    p.u = s * 40.0 * 64.0;
    p.v = t * 256.0;  // the window band (rows 112..143) lands on the outer equator
    return p;
  });
  // Four spokes and, between them, four docking pods on the ring.
  for (int k = 0; k < 4; ++k) {
    const double a = kTwoPi * k / 4.0 + kPi / 4.0;
    Strut(m, Ring(a, 2.9, 0.0), Ring(a, kRingRadius - kTube * 0.8, 0.0), 0.32, 8, 3);
    const double b = kTwoPi * k / 4.0;
    const D3 c = Ring(b, kRingRadius, 0.0);
    Box(m, c - D3{0.7, 1.7, 0.7}, c + D3{0.7, -kTube + 0.2, 0.7}, 2, 0, 0.0, 40.0);
  }
  // Mast with two solar wings above the core.
  Strut(m, {0.0, 6.2, 0.0}, {0.0, 11.0, 0.0}, 0.3, 8, 4);
  for (double side : {-1.0, 1.0}) {
    Strut(m, {0.3 * side, 9.0, 0.0}, {2.2 * side, 9.0, 0.0}, 0.18, 6, 1);
    const double inner = 2.2, outer = 11.5;
    Box(m, {side > 0 ? inner : -outer, 8.9, -1.6}, {side > 0 ? outer : -inner, 9.1, 1.6}, 4, 1, 0.0, 13.0);
  }
  // A dish under the core, opening downward: the back shell (profile
  // running up toward the axis) and the bowl (running out from the axis).
  Strut(m, {0.0, -7.0, 0.0}, {0.0, -8.6, 0.0}, 0.35, 8, 2);
  Lathe(m, {{3.6, -10.6}, {2.7, -9.4}, {1.5, -8.6}, {0.2, -8.3}}, 20, 1, 256.0, kEndTextureGrilleRow, 60.0);
  Lathe(m, {{0.0, -8.75}, {1.3, -8.9}, {2.5, -9.6}, {3.45, -10.6}}, 20, 1, 256.0, kEndTextureGrilleRow, 60.0);
  return m.Encode();
}

}  // namespace vantrelle::datagen
