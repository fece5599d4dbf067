// The perspective filler's rows against a plain per-pixel form written from
// what a row should show, and the vector look-ups and byte sums the fillers
// and the rings use against their plain meaning. All of them also run on
// other machines' vector units (the kernel tests).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "core/simd.h"
#include "render3d/perspective_span.h"
#include "render3d/texel_run.h"

namespace vantrelle {
namespace {

// The table look-ups, lane by lane: lanes k of GatherWords(first, second) are
// the entries at the low 16 bits of lane k of first, then of second;
// LookUpWords: lane k is the entry at indices[k]; LookUpLanes: at lane k of
// the indices. AddSatBytes16: each of 16 bytes gets the other's byte added,
// held at 255.
TEST(VectorKernels, LookUpsIntoLanesAndSaturatingByteSum) {
  std::mt19937 random(31337);
  std::array<std::uint16_t, 256> table{};
  for (std::uint16_t& word : table) word = static_cast<std::uint16_t>(random());
  std::vector<std::uint16_t> words(65536);
  for (std::uint16_t& word : words) word = static_cast<std::uint16_t>(random());
  for (int round = 0; round < 4000; ++round) {
    // Steps near 0 and near 2^16 cross the index's top and wrap it.
    const std::uint32_t first = random(), second = random();
    const std::uint32_t da = round % 3 == 0 ? 65536u - random() % 4 : static_cast<std::uint32_t>(random());
    const std::uint32_t db = round % 5 == 0 ? random() % 4 : static_cast<std::uint32_t>(random());
    std::array<std::uint16_t, 8> looked{};
    simd::Store(looked.data(), simd::GatherWords(words.data(), simd::Ramp32(first, da), simd::Ramp32(second, db)));
    for (std::uint32_t k = 0; k < 4; ++k) {
      ASSERT_EQ(looked[k], words[(first + k * da) % 65536]) << "lane " << k << " on " << simd::kBackEnd;
      ASSERT_EQ(looked[k + 4], words[(second + k * db) % 65536]) << "lane " << k + 4 << " on " << simd::kBackEnd;
    }
    std::array<std::uint8_t, 16> a{}, b{};
    for (int k = 0; k < 16; ++k) {
      // Near either end half the time, where the sum saturates or just does not.
      a[k] = static_cast<std::uint8_t>(round % 2 == 0 ? 255 - random() % 3 : random());
      b[k] = static_cast<std::uint8_t>(round % 4 == 0 ? random() % 3 : random());
    }
    simd::Store(looked.data(), simd::LookUpWords(table.data(), a.data() + round % 9));
    for (int k = 0; k < 8; ++k)
      ASSERT_EQ(looked[k], table[a[k + round % 9]]) << "lane " << k << " on " << simd::kBackEnd;
    // The same look-ups with the indices in lanes, over a table of 65,536.
    std::array<std::uint16_t, 8> wide{};
    for (std::uint16_t& index : wide)
      index = static_cast<std::uint16_t>(round % 3 == 0 ? 65535 - random() % 3 : random());
    simd::Store(looked.data(), simd::LookUpLanes(words.data(), simd::Load(wide.data())));
    for (int k = 0; k < 8; ++k) ASSERT_EQ(looked[k], words[wide[k]]) << "lane " << k << " on " << simd::kBackEnd;
    std::array<std::uint8_t, 16> sum = a;
    simd::AddSatBytes16(sum.data(), b.data());
    for (int k = 0; k < 16; ++k) ASSERT_EQ(sum[k], std::min(a[k] + b[k], 255)) << a[k] << " + " << b[k];
  }
}

std::uint32_t Wrap(std::int64_t v) { return static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)); }

// 2^40 / value toward zero, held within 32 bits; 0 as the largest.
std::int32_t Over2To40(std::int32_t value) {
  if (value == 0) return std::numeric_limits<std::int32_t>::max();
  const std::int64_t r = (std::int64_t{1} << 40) / value;
  if (r > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (r < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(r);
}

// The row from its meaning: pixel x lies k pixels into run i (16 pixels from
// the first); u at both ends of the run is (u/z at that end) * (2^40 / q
// there) / 2^16, truncated, and between them it moves by a sixteenth of the
// difference (rounded down) a pixel; likewise v. The texel is at (u, v) >> 16.
void PlainSpan(std::uint16_t* row, std::int32_t first, std::int32_t end, const std::uint16_t* texture,
               const ScanValues<3>& at, const ScanValues<3>& step) {
  const auto exact = [&](std::int64_t pixel, int attribute) {
    const auto value = static_cast<std::int32_t>(Wrap(at[attribute] + pixel * step[attribute]));
    const auto q = static_cast<std::int32_t>(Wrap(at[2] + pixel * step[2]));
    return static_cast<std::int32_t>(Wrap(std::int64_t{value} * Over2To40(q) / 65536));
  };
  for (std::int32_t x = first; x < end; ++x) {
    const std::int64_t i = (x - first) / 16, k = (x - first) % 16;
    std::uint32_t texel[2];
    for (int attribute = 0; attribute < 2; ++attribute) {
      const std::int32_t from = exact(16 * i, attribute), to = exact(16 * i + 16, attribute);
      const std::int32_t perPixel = static_cast<std::int32_t>(Wrap(std::int64_t{to} - from)) >> 4;
      texel[attribute] = (Wrap(from + k * perPixel) >> 16) & 255;
    }
    row[x] = texture[texel[1] * 256 + texel[0]];
  }
}

// Pixel k takes the texel at column ((u + k du) >> 16) mod 256 and row
// ((v + k dv) >> 16) mod 256, the positions wrapping at 2^32; whole vectors
// are written and nothing after them.
TEST(DrawTexelVectors, MatchesThePlainFormOnEveryPixel) {
  std::mt19937 random(515);
  std::vector<std::uint16_t> texture(65536);
  for (std::uint16_t& word : texture) word = static_cast<std::uint16_t>(random());
  for (int round = 0; round < 3000; ++round) {
    const std::int32_t count = 1 + round % 64;
    const std::uint32_t u = random(), v = random();
    // Steps of a few texels a pixel, and steps that wrap the whole range.
    const std::uint32_t du = round % 3 == 0 ? static_cast<std::uint32_t>(random()) : random() % 600000 - 300000;
    const std::uint32_t dv = round % 5 == 0 ? static_cast<std::uint32_t>(random()) : random() % 600000 - 300000;
    std::array<std::uint16_t, 80> expected{};
    for (std::uint16_t& p : expected) p = static_cast<std::uint16_t>(random());
    std::array<std::uint16_t, 80> actual = expected;
    const std::int32_t written = (count + 7) / 8 * 8;
    for (std::int32_t k = 0; k < written; ++k) {
      const std::uint64_t column = ((u + std::uint64_t{du} * k) % (1ull << 32)) >> 16 & 255;
      const std::uint64_t row = ((v + std::uint64_t{dv} * k) % (1ull << 32)) >> 16 & 255;
      expected[static_cast<std::size_t>(k)] = texture[row * 256 + column];
    }
    DrawTexelVectors(actual.data(), count, texture.data(), u, v, du, dv);
    ASSERT_EQ(actual, expected) << "round " << round << ": " << u << " + k × " << du << ", " << v << " + k × " << dv;
  }
}

TEST(DrawPerspectiveSpan, MatchesThePlainFormOnEveryPixel) {
  std::mt19937 random(909);
  std::vector<std::uint16_t> texture(65536);
  for (std::uint16_t& word : texture) word = static_cast<std::uint16_t>(random());
  const auto in = [&](std::int64_t lo, std::int64_t hi) {
    return static_cast<std::int32_t>(lo +
                                     static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(hi - lo + 1)));
  };
  for (int round = 0; round < 3000; ++round) {
    // Spans of every length at either end of the row, and anywhere.
    std::int32_t x = round % 4 == 0 ? 0 : in(0, 399);
    std::int32_t end = round % 4 == 1 ? 400 : in(x, 400);
    if (round < 400) x = round % 2 == 0 ? 0 : 400 - round, end = round % 2 == 0 ? round + 1 : 400;
    ScanValues<3> at{};
    ScanValues<3> step{};
    if (round % 10 == 9) {
      // Anything at all: q through 0, past the 32-bit quotients, sums that wrap.
      for (int i = 0; i < 3; ++i) at[i] = static_cast<std::int32_t>(random()), step[i] = in(-70000000, 70000000);
      if (round % 20 == 19) at[2] = in(-3000, 3000), step[2] = in(-40, 40);
    } else {
      // Depths of a plane seen from inside a cube: z from 1/16 unit to 256 units.
      at[2] = in(4096, 268435456);
      step[2] = in(-at[2] / 800, at[2] / 800);
      at[0] = in(-2000000000, 2000000000) / 64, at[1] = in(-2000000000, 2000000000) / 64;
      step[0] = in(-3000000, 3000000), step[1] = in(-3000000, 3000000);
    }
    std::array<std::uint16_t, 400> expected{};
    for (std::uint16_t& p : expected) p = static_cast<std::uint16_t>(random());
    std::array<std::uint16_t, 400> actual = expected;
    PlainSpan(expected.data(), x, end, texture.data(), at, step);
    DrawPerspectiveSpan(actual.data(), x, end, texture.data(), at, step);
    ASSERT_EQ(actual, expected) << "round " << round << ": pixels " << x << " .. " << end;
  }
}

}  // namespace
}  // namespace vantrelle
