#pragma once
// Whole frames (FrameHash) checked against the hashes recorded in expected_frame_hashes.h.
#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "expected_frame_hashes.h"
#include "testing/frame_hash.h"

namespace vantrelle::golden {

// The hash recorded for `name` in one of the tables, or 0 when there is none.
template <typename Table>
std::uint64_t RecordedHash(const Table& table, std::string_view name) {
  for (const auto& [key, hash] : table) {
    if (key == name) return hash;
  }
  return 0;
}

// Fails with the line to record when the picture changed on purpose.
#define EXPECT_FRAME_HASH(name, hash)                                                                   \
  EXPECT_EQ(::vantrelle::golden::RecordedHash(::vantrelle::golden::kExpectedFrameHashes, name), (hash)) \
      << "if the new picture is right, record it in tests/expected_frame_hashes.h:\n"                   \
      << "    {\"" << (name) << "\", " << (hash) << "u},"

}  // namespace vantrelle::golden
