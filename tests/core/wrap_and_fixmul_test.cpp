#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "core/fix_mul.h"
#include "core/rgb565.h"
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

TEST(FixMul, RoundsTowardZeroAndIsOddSymmetric) {
  EXPECT_EQ(FixMul(65536, 12345), 12345);
  EXPECT_EQ(FixMul(65536, -12345), -12345);
  EXPECT_EQ(FixMul(-1, 1), 0);
  EXPECT_EQ(FixMul(1, -1), 0);
  EXPECT_EQ(FixMul(3 * 65536, 32768), 98304);
  EXPECT_EQ(FixMul(-3 * 65536, 32768), -98304);
  EXPECT_EQ(FixMul(-65536, -65536), 65536);
  for (std::int32_t a : {1, 7, 65535, 65537, 123456789, kMax}) {
    for (std::int32_t b : {3, 99, 70000, 1 << 20}) {
      EXPECT_EQ(FixMul(-a, b), -FixMul(a, b));
      EXPECT_EQ(FixMul(a, -b), -FixMul(a, b));
    }
  }
  // Within 32 bits the product is floor(|a| * |b| / 65536).
  EXPECT_EQ(FixMul(100000, 200000), static_cast<std::int32_t>((100000LL * 200000LL) >> 16));
}

TEST(Rgb565, BlendFieldsWeighsEachFieldInPlace) {
  EXPECT_EQ(BlendFields(0x0000, 0xFFFF, 128), 0x7BEF);
  EXPECT_EQ(BlendFields(0x1234, 0xFFFF, 0), 0x1234);
  EXPECT_EQ(BlendFields(0x1234, 0xFFFF, 256), 0xFFFF);
}

}  // namespace
}  // namespace vantrelle
