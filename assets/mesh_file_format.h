#pragma once
// The .3df layout: a 16-byte header (flags, V, F as unsigned 16-bit words,
// 10 reserved bytes) and then blocks of little-endian signed 32-bit words:
// positions[3V], vertex normals[3V] (flag 1), corners stored x4 [3F],
// u[3F] and v[3F] in 1/256 texel (flag 2), face normals[3F] (flag 4),
// attributes[F] (flag 8). Absent blocks take no space.
#include <cstddef>
#include <cstdint>
#include <span>

namespace vantrelle {

inline constexpr std::size_t kMeshFileHeaderBytes = 16;
inline constexpr unsigned kMeshHasVertexNormals = 1;
inline constexpr unsigned kMeshHasTextureCoordinates = 2;
inline constexpr unsigned kMeshHasFaceNormals = 4;
inline constexpr unsigned kMeshHasAttributes = 8;

inline std::uint32_t ReadLittleU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8);
}

inline std::int32_t ReadLittleI32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  const std::uint32_t u =
      static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
      (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) | (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
  return static_cast<std::int32_t>(u);
}

// The exact length of a file with these flags and counts.
constexpr std::size_t MeshFileBytes(unsigned flags, std::size_t vertices, std::size_t faces) {
  std::size_t bytes = kMeshFileHeaderBytes + 12 * vertices + 12 * faces;
  if (flags & kMeshHasVertexNormals) bytes += 12 * vertices;
  if (flags & kMeshHasTextureCoordinates) bytes += 24 * faces;
  if (flags & kMeshHasFaceNormals) bytes += 12 * faces;
  if (flags & kMeshHasAttributes) bytes += 4 * faces;
  return bytes;
}

}  // namespace vantrelle
