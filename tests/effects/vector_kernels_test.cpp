#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <tuple>
#include <utility>

#include "core/simd.h"
#include "effects/blend_alpha_picture.h"
#include "effects/blend_picture.h"
#include "field_blend.h"
#include "timeline/fades.h"

namespace vantrelle {
namespace {

using effects_test::Toward;

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
        ASSERT_EQ(out[i], op.expected(a[i], b[i]))
            << op.name << " " << a[i] << ", " << b[i] << " on " << simd::kBackEnd;
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

// The 32-bit lanes against arithmetic modulo 2^32 (done in 64 bits here), on
// random lanes biased toward the ends where carries cross the halves. A lane
// is read back whole from its two 16-bit halves.
TEST(VectorKernels, WideLanesMatchTheirArithmetic) {
  using simd::U32x4;
  auto read = [](U32x4 x) {
    const U32x4 high = simd::ShiftRight<16>(x);
    return std::array<std::uint64_t, 4>{
        simd::Lane16<0>(x) + 65536ull * simd::Lane16<0>(high), simd::Lane16<1>(x) + 65536ull * simd::Lane16<1>(high),
        simd::Lane16<2>(x) + 65536ull * simd::Lane16<2>(high), simd::Lane16<3>(x) + 65536ull * simd::Lane16<3>(high)};
  };
  std::mt19937 random(2281);
  auto value = [&random]() -> std::uint32_t {
    const std::uint32_t r = random();
    return r % 4 == 0 ? (r >> 8) % 5 : r % 4 == 1 ? 0xFFFFFFFFu - (r >> 8) % 5 : static_cast<std::uint32_t>(random());
  };
  constexpr std::uint64_t kWrap = 1ull << 32;
  for (int round = 0; round < 2000; ++round) {
    const std::uint64_t start = value(), step = value(), other = value();
    const U32x4 ramp = simd::Ramp32(static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(step));
    const U32x4 splat = simd::Splat32(static_cast<std::uint32_t>(other));
    const auto ramped = read(ramp);
    const auto sum = read(simd::Add(ramp, splat));
    const auto both = read(simd::And(ramp, splat));
    const auto either = read(simd::Or(ramp, splat));
    const auto down8 = read(simd::ShiftRight<8>(ramp));
    const auto down24 = read(simd::ShiftRight<24>(ramp));
    for (std::uint64_t k = 0; k < 4; ++k) {
      const std::uint64_t lane = (start + k * step) % kWrap;
      ASSERT_EQ(ramped[k], lane) << start << " + " << k << " × " << step << " on " << simd::kBackEnd;
      ASSERT_EQ(sum[k], (lane + other) % kWrap) << lane << " + " << other;
      ASSERT_EQ(both[k], lane & other);
      ASSERT_EQ(either[k], lane | other);
      ASSERT_EQ(down8[k], lane / 256);
      ASSERT_EQ(down24[k], lane / (1u << 24));
    }
  }
}

// Narrowing reads 32-bit lanes as signed numbers and clamps them to 16 bits,
// on lanes loaded from memory and biased toward the clamp's edges and the
// sign bit; the zero test sees one set bit in any lane.
TEST(VectorKernels, NarrowingAndTheZeroTestMatchTheirMeaning) {
  std::mt19937 random(3329);
  constexpr std::uint32_t kEdges[] = {0,          1,          32767,      32768,      65535,     65536,
                                      0x7FFFFFFF, 0x80000000, 0xFFFF8000, 0xFFFF7FFF, 0xFFFFFFFF};
  auto value = [&random, &kEdges]() -> std::uint32_t {
    const std::uint32_t r = random();
    return r % 2 == 0 ? kEdges[(r >> 8) % std::size(kEdges)] : static_cast<std::uint32_t>(random()) >> (r >> 8) % 32;
  };
  for (int round = 0; round < 2000; ++round) {
    std::uint32_t lanes[8];
    for (std::uint32_t& x : lanes) x = value();
    std::uint16_t out[8];
    simd::Store(out, simd::NarrowSigned(simd::Load32(lanes), simd::Load32(lanes + 4)));
    for (int i = 0; i < 8; ++i) {
      const std::int64_t signedLane =
          lanes[i] < 0x80000000u ? std::int64_t{lanes[i]} : std::int64_t{lanes[i]} - (1ll << 32);
      const std::int64_t clamped = std::clamp<std::int64_t>(signedLane, -32768, 32767);
      ASSERT_EQ(out[i], static_cast<std::uint16_t>((clamped + 65536) & 0xFFFF))
          << lanes[i] << " in lane " << i << " on " << simd::kBackEnd;
    }
  }
  const std::uint16_t zeros[8] = {};
  EXPECT_TRUE(!simd::AnyNonZero(simd::Load(zeros)));
  for (int i = 0; i < 8; ++i) {
    for (const std::uint16_t x : {1, 0x8000, 0xFFFF}) {
      std::uint16_t one[8] = {};
      one[i] = x;
      EXPECT_TRUE(simd::AnyNonZero(simd::Load(one))) << x << " in lane " << i;
    }
  }
}

// The kernels that blend pixels against their plain per-pixel meaning, on
// random frames, pictures, masks and levels (levels past either end too), the
// portrait over bands at either edge of the frame, across it, and of odd width.
TEST(VectorKernels, BlendsMatchThePlainFieldByFieldBlend) {
  struct Inputs {
    std::array<std::uint16_t, kFramePixels> picture;
    std::array<std::uint8_t, kFramePixels> bytes;
    std::array<std::uint16_t, 256> colours;
    std::int32_t level, width, left;  // the portrait's band: columns left .. left + width - 1
  };
  struct Case {
    const char* name;
    void (*draw)(FrameBuffer&, const Inputs&);
    // What pixel i of a frame holding p becomes.
    std::uint16_t (*expected)(std::uint16_t p, int i, const Inputs&);
  };
  const Case cases[] = {
      {"FadeToWhite", [](FrameBuffer& f, const Inputs& in) { FadeToWhite(f, in.level); },
       [](std::uint16_t p, int, const Inputs& in) { return Toward(p, 0xFFFF, std::clamp(in.level, 0, 256)); }},
      {"FadeToBlack", [](FrameBuffer& f, const Inputs& in) { FadeToBlack(f, in.level); },
       [](std::uint16_t p, int, const Inputs& in) { return Toward(p, 0, std::clamp(in.level, 0, 256)); }},
      {"BlendPicture",
       [](FrameBuffer& f, const Inputs& in) {
         BlendPicture(f, in.bytes.data(), in.colours.data(), std::clamp(in.level, 0, 256));
       },
       [](std::uint16_t p, int i, const Inputs& in) {
         return Toward(p, in.colours[in.bytes[i]], std::clamp(in.level, 0, 256));
       }},
      {"BlendAlphaPicture",
       [](FrameBuffer& f, const Inputs& in) {
         BlendAlphaPicture(f, in.picture.data(), in.bytes.data(), in.width, in.left);
       },
       [](std::uint16_t p, int i, const Inputs& in) {
         const int x = i % kFrameWidth - in.left, y = i / kFrameWidth;
         if (x < 0 || x >= in.width) return p;
         return Toward(p, in.picture[y * in.width + x], in.bytes[y * in.width + x]);
       }},
  };
  constexpr std::int32_t kLevels[] = {-3, 0, 256, 300};
  constexpr std::pair<std::int32_t, std::int32_t> kBands[] = {{140, 260}, {1, 0}, {1, 399}, {400, 0}, {37, 3}};
  std::mt19937 random(1602);
  auto inputs = std::make_unique<Inputs>();
  auto frame = std::make_unique<FrameBuffer>();
  for (const Case& c : cases) {
    for (int round = 0; round < 6; ++round) {
      for (auto& p : inputs->picture) p = static_cast<std::uint16_t>(random());
      // Every other round mostly zeros, so that whole vectors of 0 go by too.
      for (auto& b : inputs->bytes) b = static_cast<std::uint8_t>(round % 2 == 1 && random() % 16 ? 0 : random());
      for (auto& colour : inputs->colours) colour = static_cast<std::uint16_t>(random());
      inputs->level = round < 4 ? kLevels[round] : static_cast<std::int32_t>(random() % 257);
      std::tie(inputs->width, inputs->left) = kBands[round % std::size(kBands)];
      for (auto& p : *frame) p = static_cast<std::uint16_t>(random());
      const FrameBuffer before = *frame;
      c.draw(*frame, *inputs);
      for (int i = 0; i < kFramePixels; ++i) {
        ASSERT_EQ((*frame)[i], c.expected(before[i], i, *inputs))
            << c.name << " level " << inputs->level << " band " << inputs->left << "+" << inputs->width << " pixel "
            << i;
      }
    }
  }
}

}  // namespace
}  // namespace vantrelle
