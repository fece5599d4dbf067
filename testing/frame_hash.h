#pragma once
// One number per frame, for tests that pin whole frames: 64-bit FNV-1a over
// the frame's bytes, each pixel low byte first. A changed hash is a changed
// picture.
#include <cstdint>

#include "core/frame_buffer.h"

namespace vantrelle {

inline std::uint64_t FrameHash(const FrameBuffer& frame) {
  constexpr std::uint64_t kOffsetBasis = 14695981039346656037ull;  // FNV-1a, 64 bits
  constexpr std::uint64_t kPrime = 1099511628211ull;
  std::uint64_t hash = kOffsetBasis;
  for (std::uint16_t pixel : frame) {
    hash = (hash ^ (pixel & 0xFFu)) * kPrime;
    hash = (hash ^ (pixel >> 8)) * kPrime;
  }
  return hash;
}

}  // namespace vantrelle
