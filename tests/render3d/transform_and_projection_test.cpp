#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "core/fix_mul.h"
#include "core/sin_tables.h"
#include "render3d/build_rotation.h"
#include "render3d/project_points.h"
#include "render3d/select_visible_faces.h"
#include "render3d/sort_faces_by_depth.h"
#include "render3d/transform_points.h"

namespace vantrelle {
namespace {

using Matrix = std::array<std::int32_t, 9>;

TEST(BuildRotation, IdentityAndQuarterTurnOfA) {
  BuildSinCosTables();
  EXPECT_EQ(BuildRotation(0, 0, 0), (Matrix{65536, 0, 0, 0, 65536, 0, 0, 0, 65536}));
  EXPECT_EQ(BuildRotation(1024, 0, 0), (Matrix{65536, 0, 0, 0, 0, 65536, 0, -65536, 0}));

  // Only the low 12 bits of an angle count.
  EXPECT_EQ(BuildRotation(1024 + 4096, -4096, 8192), (Matrix{65536, 0, 0, 0, 0, 65536, 0, -65536, 0}));
}

TEST(TransformPoints, SubtractsTheCameraBeforeRotating) {
  BuildSinCosTables();
  const Rotation quarter = BuildRotation(1024, 0, 0);
  const std::int32_t p[6] = {65536, 131072, 0, 0, 0, 0};
  std::array<std::int32_t, 6> out{};
  TransformPoints(quarter, p, out.data(), 65536, 65536, 65536, 2);
  // d = (0, 1, -1) -> (0, -1, -1); d = (-1, -1, -1) -> (-1, -1, 1)
  EXPECT_EQ(out, (std::array<std::int32_t, 6>{0, -65536, -65536, -65536, -65536, 65536}));
}

TEST(ProjectPoints, FocalLengthDepthOffsetAndDivisorOne) {
  const std::int32_t p[12] = {65536, 65536, 262144,  // one unit right and up, four deep
                              65536, 65536, 131072,  // the same, moved back by the depth offset
                              65536, 0,     3,       // dz 3: divisor 1
                              0,     0,     -4};     // behind the eye: projected all the same
  std::array<std::int32_t, 12> out{};
  ProjectPoints(p, out.data(), 1, 3200, 1920, 0);
  ProjectPoints(p + 3, out.data() + 3, 1, 3200, 1920, -131072);
  ProjectPoints(p + 6, out.data() + 6, 2, 3200, 1920, 0);
  // r = 2^30 at dz 3: one unit lands 2^26 sixteenths right.
  EXPECT_EQ(out, (std::array<std::int32_t, 12>{4224, 896, 262144, 4224, 896, 262144, 3200 + 67108864, 1920, 3, 3200,
                                               1920, -4}));
}

// Screen points for face-selection cases: index i is point (x, y, z).
struct Screen {
  std::vector<std::int32_t> points;
  std::int32_t Add(std::int32_t x, std::int32_t y, std::int32_t z = 65536) {
    points.insert(points.end(), {x, y, z});
    return static_cast<std::int32_t>(points.size() / 3 - 1);
  }
};

// Whether one clockwise-or-not triangle survives face selection.
bool Kept(std::int32_t x0, std::int32_t y0, std::int32_t z0, std::int32_t x1, std::int32_t y1, std::int32_t z1,
          std::int32_t x2, std::int32_t y2, std::int32_t z2) {
  const std::int32_t screen[9] = {x0, y0, z0, x1, y1, z1, x2, y2, z2};
  const std::int32_t corners[3] = {0, 1, 2};
  const std::int32_t order[1] = {0};
  std::int32_t out[1] = {-1};
  return SelectVisibleFaces(order, screen, corners, out, 1) == 1 && out[0] == 0;
}

TEST(SelectVisibleFaces, EachDropTest) {
  constexpr std::int32_t z = 65536;
  // A clockwise triangle (Y down) inside the frame is kept; reversed it faces away.
  EXPECT_TRUE(Kept(100, 100, z, 300, 100, z, 100, 300, z));
  EXPECT_FALSE(Kept(100, 100, z, 100, 300, z, 300, 100, z));
  // Degenerate faces pass the back-face test.
  EXPECT_TRUE(Kept(100, 100, z, 200, 200, z, 300, 300, z));
  EXPECT_TRUE(Kept(100, 100, z, 100, 100, z, 300, 300, z));

  // Wholly left, right, above, below.
  EXPECT_FALSE(Kept(-500, 100, z, -1, 100, z, -500, 300, z));
  EXPECT_TRUE(Kept(-5, 100, z, 7, 100, z, -1, 300, z));  // one corner not left of the frame
  EXPECT_FALSE(Kept(6400, 100, z, 7000, 100, z, 6400, 300, z));
  EXPECT_TRUE(Kept(6399, 100, z, 7000, 100, z, 6400, 300, z));
  EXPECT_FALSE(Kept(100, -300, z, 300, -300, z, 100, -1, z));
  EXPECT_TRUE(Kept(100, -300, z, 300, -300, z, 100, 0, z));
  EXPECT_FALSE(Kept(100, 3840, z, 300, 3840, z, 100, 4000, z));
  EXPECT_TRUE(Kept(100, 3839, z, 300, 3840, z, 100, 4000, z));

  // Near limit, for each corner in turn: Z = 4096 or behind the eye drops the face, 4097 keeps it.
  for (int corner = 0; corner < 3; ++corner) {
    for (auto [deep, kept] : {std::pair{4096, false}, {4097, true}, {-65536, false}}) {
      std::int32_t zs[3] = {z, z, z};
      zs[corner] = deep;
      EXPECT_EQ(Kept(100, 100, zs[0], 300, 100, zs[1], 100, 300, zs[2]), kept) << "corner " << corner << " at " << deep;
    }
  }

  // A face far bigger than the frame keeps its true facing even where the
  // cross product outgrows 32 bits.
  EXPECT_TRUE(Kept(-100000, -100000, z, 100000, -100000, z, -100000, 100000, z));
  EXPECT_FALSE(Kept(-100000, -100000, z, -100000, 100000, z, 100000, -100000, z));
}

TEST(SelectVisibleFaces, KeepsTheGivenOrder) {
  Screen s;
  const std::int32_t a = s.Add(100, 100), b = s.Add(300, 100), c = s.Add(100, 300);
  const std::int32_t corners[9] = {a, b, c, a, c, b, a, b, c};  // face 1 faces away
  const std::int32_t order[3] = {2, 1, 0};
  std::int32_t out[3] = {};
  ASSERT_EQ(SelectVisibleFaces(order, s.points.data(), corners, out, 3), 2);
  EXPECT_EQ(out[0], 2);
  EXPECT_EQ(out[1], 0);
}

// Farthest first by the truncated mean depth of the corners; equal keys keep
// their visible order reversed.
TEST(SortFacesByDepth, AgreesWithAStableSortOfTheKeysReversed) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 20; ++round) {
    const int count = round == 0 ? 4096 : static_cast<int>(random() % 600) + 1;
    Screen s;
    std::vector<std::int32_t> corners;
    std::vector<std::int32_t> visible;
    // Few distinct depths in some rounds, so that ties are common.
    const std::uint32_t spread = round % 2 ? 50u : 0x2AAA0000u;  // sums of three stay in 32 bits
    for (int f = 0; f < count; ++f) {
      for (int k = 0; k < 3; ++k) {
        corners.push_back(s.Add(0, 0, 4097 + static_cast<std::int32_t>(random() % spread)));
      }
      visible.push_back(f);
    }
    std::shuffle(visible.begin(), visible.end(), random);
    std::vector<std::int32_t> out(count);
    SortFacesByDepth(visible.data(), s.points.data(), corners.data(), out.data(), count);

    std::vector<std::int32_t> expected = visible;
    const auto key = [&](std::int32_t f) {
      std::int64_t sum = 0;
      for (int k = 0; k < 3; ++k) sum += s.points[3 * corners[3 * f + k] + 2];
      return static_cast<std::int32_t>(sum / 3);
    };
    std::stable_sort(expected.begin(), expected.end(), [&](std::int32_t a, std::int32_t b) { return key(a) < key(b); });
    std::reverse(expected.begin(), expected.end());
    ASSERT_EQ(out, expected) << "round " << round;
  }
  std::int32_t untouched[2] = {-7, -7};  // an empty list writes nothing
  SortFacesByDepth(untouched, nullptr, nullptr, untouched, 0);
  EXPECT_EQ(untouched[1], -7);
}

}  // namespace
}  // namespace vantrelle
