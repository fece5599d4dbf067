#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "core/simd.h"

namespace vantrelle {
namespace {

// Each operation of the vector layer against its meaning on whole numbers,
// lane by lane, on random lanes biased toward 0 and 0xFFFF where saturation
// and carries live.
TEST(VectorKernels, LayerOperationsMatchTheirArithmetic) {
  using simd::U16x8;
  struct Op {
    const char* name;
    U16x8 (*vector)(U16x8, U16x8);
    std::uint32_t (*expected)(std::uint32_t, std::uint32_t);
  };
  const Op ops[] = {
      {"Add", simd::Add, [](std::uint32_t a, std::uint32_t b) { return (a + b) & 0xFFFF; }},
      {"Sub", simd::Sub, [](std::uint32_t a, std::uint32_t b) { return (a - b) & 0xFFFF; }},
      {"MulLo", simd::MulLo, [](std::uint32_t a, std::uint32_t b) { return (a * b) & 0xFFFF; }},
      {"MulHi", simd::MulHi, [](std::uint32_t a, std::uint32_t b) { return a * b / 65536; }},
      {"AddSat", simd::AddSat, [](std::uint32_t a, std::uint32_t b) { return std::min(a + b, 65535u); }},
      {"SubSat", simd::SubSat, [](std::uint32_t a, std::uint32_t b) { return a < b ? 0 : a - b; }},
      {"And", simd::And, [](std::uint32_t a, std::uint32_t b) { return a & b; }},
      {"Or", simd::Or, [](std::uint32_t a, std::uint32_t b) { return a | b; }},
      {"Min", simd::Min, [](std::uint32_t a, std::uint32_t b) { return std::min(a, b); }},
      {"Max", simd::Max, [](std::uint32_t a, std::uint32_t b) { return std::max(a, b); }},
      {"ShiftRight<5>", [](U16x8 a, U16x8) { return simd::ShiftRight<5>(a); },
       [](std::uint32_t a, std::uint32_t) { return a / 32; }},
      {"ShiftLeft<11>", [](U16x8 a, U16x8) { return simd::ShiftLeft<11>(a); },
       [](std::uint32_t a, std::uint32_t) { return (a * 2048) & 0xFFFF; }},
  };
  std::mt19937 random(1601);
  auto lane = [&random] {
    const std::uint32_t r = random();
    return static_cast<std::uint16_t>(r % 4 == 0 ? (r >> 8) % 3 : r % 4 == 1 ? 0xFFFF - (r >> 8) % 3 : r >> 16);
  };
  for (const Op& op : ops) {
    for (int round = 0; round < 2000; ++round) {
      std::uint16_t a[8], b[8], out[8];
      for (int i = 0; i < 8; ++i) a[i] = lane(), b[i] = lane();
      simd::Store(out, op.vector(simd::Load(a), simd::Load(b)));
      for (int i = 0; i < 8; ++i) {
        ASSERT_EQ(out[i], op.expected(a[i], b[i])) << op.name << " " << a[i] << ", " << b[i] << " on " << simd::kBackEnd;
      }
    }
  }
  const std::uint8_t bytes[8] = {0, 1, 127, 128, 200, 254, 255, 9};
  std::uint16_t widened[8];
  simd::Store(widened, simd::LoadBytes(bytes));
  for (int i = 0; i < 8; ++i) EXPECT_EQ(widened[i], bytes[i]);
  // Lane moves: lanes numbered 0..7 in a and 0x8000 + 0..7 in b.
  std::uint16_t a[8], b[8], even[8], low[8], high[8];
  for (int i = 0; i < 8; ++i) a[i] = static_cast<std::uint16_t>(i), b[i] = static_cast<std::uint16_t>(0x8000 + i);
  simd::Store(even, simd::EvenLanes(simd::Load(a), simd::Load(b)));
  simd::Store(low, simd::InterleaveLow(simd::Load(a), simd::Load(b)));
  simd::Store(high, simd::InterleaveHigh(simd::Load(a), simd::Load(b)));
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(even[i], i < 4 ? a[2 * i] : b[2 * i - 8]) << i;
    EXPECT_EQ(low[i], i % 2 ? b[i / 2] : a[i / 2]) << i;
    EXPECT_EQ(high[i], i % 2 ? b[4 + i / 2] : a[4 + i / 2]) << i;
  }
}

}  // namespace
}  // namespace vantrelle
