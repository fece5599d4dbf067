#pragma once
// Whole frames checked against the hashes recorded in expected_frame_hashes.h.
#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "core/frame_buffer.h"
#include "tests/expected_frame_hashes.h"

namespace vantrelle::golden {

constexpr std::uint64_t kFnvStart = 14695981039346656037ull;

// FNV-1a over the frame's bytes, low byte of each pixel first, continuing
// from `h` so that a run of frames hashes to one number.
inline std::uint64_t HashFrame(const FrameBuffer& frame, std::uint64_t h = kFnvStart) {
  for (std::uint16_t p : frame) {
    h = (h ^ (p & 0xFFu)) * 1099511628211ull;
    h = (h ^ (p >> 8)) * 1099511628211ull;
  }
  return h;
}

// The hash recorded for `name`, or 0 when there is none.
inline std::uint64_t ExpectedHash(std::string_view name) {
  for (const auto& [key, hash] : kExpectedFrameHashes) {
    if (key == name) return hash;
  }
  return 0;
}

// Fails with the line to record when the picture changed on purpose.
#define EXPECT_FRAME_HASH(name, hash)                                                      \
  EXPECT_EQ(::vantrelle::golden::ExpectedHash(name), (hash))                              \
      << "if the new picture is right, record it in tests/expected_frame_hashes.h:\n" \
      << "    {\"" << (name) << "\", " << (hash) << "u},"

}  // namespace vantrelle::golden
