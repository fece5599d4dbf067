#pragma once
// Whole frames (FrameHash) checked against the hashes recorded in expected_frame_hashes.h.
#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "expected_frame_hashes.h"
#include "testing/frame_hash.h"

namespace vantrelle::golden {

// The hash recorded for `name`, or 0 when there is none.
inline std::uint64_t ExpectedHash(std::string_view name) {
  for (const auto& [key, hash] : kExpectedFrameHashes) {
    if (key == name) return hash;
  }
  return 0;
}

// Fails with the line to record when the picture changed on purpose.
#define EXPECT_FRAME_HASH(name, hash)                                                 \
  EXPECT_EQ(::vantrelle::golden::ExpectedHash(name), (hash))                          \
      << "if the new picture is right, record it in tests/expected_frame_hashes.h:\n" \
      << "    {\"" << (name) << "\", " << (hash) << "u},"

}  // namespace vantrelle::golden
