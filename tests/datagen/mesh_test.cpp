// The station mesh reads as the renderer expects: counts within its limits,
// every face textured from page 0 or 1, normals present, and every face
// wound so that its front side faces outward.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "generated_files.h"
#include "tools/datagen/lib/data_set.h"

namespace vantrelle::datagen {
namespace {

struct Reader {
  const std::vector<std::uint8_t>& bytes;
  std::size_t at = 0;
  std::int32_t Word() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
    at += 4;
    return static_cast<std::int32_t>(v);
  }
};

struct V3 {
  double x, y, z;
};
V3 Sub(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 Cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

TEST(GeneratedMesh, StationIsATexturedClosedObjectWithinTheRendererLimits) {
  const auto file = testing::ReadGenerated(kMeshFileName);
  ASSERT_GE(file.size(), 16u);
  const int flags = file[0] | (file[1] << 8);
  const int v = file[2] | (file[3] << 8);
  const int f = file[4] | (file[5] << 8);
  EXPECT_EQ(flags & 0xF, 0xF);  // vertex normals, texture coordinates, face normals, attributes
  ASSERT_GT(v, 100);
  ASSERT_LE(v, 8192);
  ASSERT_GT(f, 500);
  ASSERT_LE(f, 4096);
  ASSERT_EQ(file.size(), 16u + 24u * v + 48u * f + 4u * f);

  // Read as the loader does, with its axis switch: file (x, y, z) -> (x, z, -y).
  Reader r{file, 16};
  auto vector = [&r]() {
    const double x = r.Word() / 65536.0, y = r.Word() / 65536.0, z = r.Word() / 65536.0;
    return V3{x, z, -y};
  };
  std::vector<V3> positions(v), normals(v), faceNormals(f);
  std::vector<int> corners(3 * f), attributes(f);
  for (V3& p : positions) p = vector();
  for (V3& n : normals) n = vector();
  for (int& c : corners) {
    const std::int32_t stored = r.Word();
    EXPECT_EQ(stored % 4, 0);
    c = stored >> 2;
    ASSERT_GE(c, 0);
    ASSERT_LT(c, v);
  }
  r.at += 24u * f;  // texture coordinates
  for (V3& n : faceNormals) n = vector();
  int pages[2] = {0, 0};
  for (int& a : attributes) {
    a = r.Word();
    EXPECT_EQ(a & 15, 3);  // the kind the renderer draws
    const int page = (a >> 16) & 15;
    ASSERT_TRUE(page == 0 || page == 1);
    ++pages[page];
  }
  EXPECT_EQ(r.at, file.size());
  EXPECT_GT(pages[0], 100);
  EXPECT_GT(pages[1], 100);

  // Unit normals; the corner order's cross product agrees with the face
  // normal and with the corners' vertex normals (front faces face outward).
  // Centred on the origin and clear of the camera paths, which circle the
  // y axis at 14 units and more.
  double radius = 0, low = 0, high = 0;
  for (const V3& p : positions) {
    radius = std::max(radius, std::sqrt(p.x * p.x + p.z * p.z));
    low = std::min(low, p.y);
    high = std::max(high, p.y);
  }
  EXPECT_GT(radius, 8.0);
  EXPECT_LT(radius, 12.0);
  EXPECT_LT(high, 12.0);
  EXPECT_GT(low, -12.0);
  for (const V3& n : normals) EXPECT_NEAR(std::sqrt(Dot(n, n)), 1.0, 1e-3);
  double volume = 0;  // signed: positive when the faces enclose their inside
  for (int k = 0; k < f; ++k) {
    const V3 a = positions[corners[3 * k]], b = positions[corners[3 * k + 1]], c = positions[corners[3 * k + 2]];
    const V3 n = Cross(Sub(b, a), Sub(c, a));
    const double length = std::sqrt(Dot(n, n));
    ASSERT_GT(length, 0.0) << "degenerate face " << k;
    EXPECT_NEAR(Dot(n, faceNormals[k]) / length, 1.0, 1e-3) << "face " << k;
    const V3 sum{normals[corners[3 * k]].x + normals[corners[3 * k + 1]].x + normals[corners[3 * k + 2]].x,
                 normals[corners[3 * k]].y + normals[corners[3 * k + 1]].y + normals[corners[3 * k + 2]].y,
                 normals[corners[3 * k]].z + normals[corners[3 * k + 1]].z + normals[corners[3 * k + 2]].z};
    EXPECT_GT(Dot(n, sum), 0.0) << "face " << k << " is wound inward";
    volume += Dot(a, Cross(b, c)) / 6.0;
  }
  EXPECT_GT(volume, 300.0);
}

}  // namespace
}  // namespace vantrelle::datagen
