#pragma once
// One number per frame, for tests that pin whole frames: 64-bit FNV-1a over
// the frame's bytes, each pixel low byte first, continuing from `hash` so that
// a run of frames hashes to one number. A changed hash is a changed picture.
#include <cstdint>
#include <span>

#include "core/frame_buffer.h"

namespace vantrelle {

inline constexpr std::uint64_t kFrameHashStart = 14695981039346656037ull;  // FNV-1a's offset basis, 64 bits
inline constexpr std::uint64_t kFrameHashPrime = 1099511628211ull;         // and its prime

inline std::uint64_t FrameHash(const FrameBuffer& frame, std::uint64_t hash = kFrameHashStart) {
  for (std::uint16_t pixel : frame) {
    hash = (hash ^ (pixel & 0xFFu)) * kFrameHashPrime;
    hash = (hash ^ (pixel >> 8)) * kFrameHashPrime;
  }
  return hash;
}

// The same hash over any bytes, for the data files the frames are drawn from.
inline std::uint64_t BytesHash(std::span<const std::uint8_t> bytes, std::uint64_t hash = kFrameHashStart) {
  for (std::uint8_t b : bytes) hash = (hash ^ b) * kFrameHashPrime;
  return hash;
}

}  // namespace vantrelle
