#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "core/fix_mul.h"
#include "core/rgb565.h"
#include "core/sin_tables.h"
#include "core/wrap.h"

namespace vantrelle {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(Wrap, WrapsModulo2To32WithoutSignedOverflow) {
  EXPECT_EQ(WrapAdd(kMax, 1), kMin);
  EXPECT_EQ(WrapSub(kMin, 1), kMax);
  EXPECT_EQ(WrapMul(65536, 65536), 0);
  EXPECT_EQ(WrapMul(-3, 5), -15);
  EXPECT_EQ(WrapNeg(kMin), kMin);
  EXPECT_EQ(WrapShl(-1, 4), -16);
  EXPECT_EQ(WrapShl(0x12345678, 16), 0x56780000);
  EXPECT_EQ(Low32(std::int64_t{1} << 32 | 5), 5);
  EXPECT_EQ(Low32(-2), -2);
}

// The 16.16 product rounds toward zero and wraps to 32 bits, for any operands.
TEST(FixMul, IsTheTruncatedProductModulo2To32) {
  std::mt19937 random(5);
  std::vector<std::int32_t> values = {0,     1,      -1,    3,      -3,    21845,  21846,     32768, 65535,
                                      65536, -65536, 65537, -65537, 98304, -98304, 123456789, kMin,  kMax};
  for (int i = 0; i < 200; ++i) values.push_back(static_cast<std::int32_t>(random()) >> (i % 17));
  for (std::int32_t a : values) {
    for (std::int32_t b : values) {
      const std::int64_t exact = std::int64_t{a} * b / 65536;  // C++ division truncates toward zero
      ASSERT_EQ(FixMul(a, b), static_cast<std::int32_t>(static_cast<std::uint32_t>(exact))) << a << " * " << b;
    }
  }
}

// Sines in 16.16 over 4096 steps a turn, floored (not rounded symmetrically);
// Sin and Cos take any angle.
TEST(SinCosTables, EdgeValuesUseFloorOfTheShowsStep) {
  BuildSinCosTables();
  for (auto [index, sine] : {std::pair{0, 0}, {1, 100}, {1024, 65536}, {2048, 0}, {3072, -65536}, {4095, -101}}) {
    EXPECT_EQ(SinTable[index], sine) << index;
  }
  for (auto [index, cosine] : {std::pair{0, 65536}, {1024, 0}, {2048, -65536}, {3072, -1}}) {
    EXPECT_EQ(CosTable[index], cosine) << index;
  }
  EXPECT_EQ(Sin(4096 + 1024), 65536);
  EXPECT_EQ(Cos(-1024), -1);
}

TEST(Rgb565, BlendFieldsWeighsEachFieldInPlace) {
  EXPECT_EQ(BlendFields(0x0000, 0xFFFF, 128), 0x7BEF);
  EXPECT_EQ(BlendFields(0x1234, 0xFFFF, 0), 0x1234);
  EXPECT_EQ(BlendFields(0x1234, 0xFFFF, 256), 0xFFFF);
}

}  // namespace
}  // namespace vantrelle
