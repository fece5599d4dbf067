#include "assets/check_mesh_file.h"

#include <cstdio>

#include "assets/mesh.h"
#include "assets/mesh_file_format.h"

namespace vantrelle {
namespace {

constexpr unsigned kRequiredFlags = kMeshHasTextureCoordinates | kMeshHasAttributes;
constexpr unsigned kKnownFlags = 15;  // higher bits mean nothing
constexpr std::int32_t kEndTexturePages = 2;

Status Malformed(const char* format, auto... values) {
  char line[160];
  std::snprintf(line, sizeof line, format, values...);
  return Status::Failure(ErrorKind::kMalformed, line);
}

}  // namespace

Status CheckMeshFile(std::span<const std::uint8_t> file) {
  if (file.size() < kMeshFileHeaderBytes) {
    return Malformed("expected at least %zu bytes, found %zu", kMeshFileHeaderBytes, file.size());
  }
  const unsigned flags = ReadLittleU16(file, 0) & kKnownFlags;
  const std::uint32_t v = ReadLittleU16(file, 2);
  const std::uint32_t f = ReadLittleU16(file, 4);
  if ((flags & kRequiredFlags) != kRequiredFlags) {
    return Malformed("expected flag bits 1 and 3 set (texture coordinates and attributes), found flags 0x%X",
                     ReadLittleU16(file, 0));
  }
  if (v > static_cast<std::uint32_t>(kMaxMeshVertices)) {
    return Malformed("expected at most %d vertices, found %u", kMaxMeshVertices, v);
  }
  if (f > static_cast<std::uint32_t>(kMaxMeshFaces)) {
    return Malformed("expected at most %d faces, found %u", kMaxMeshFaces, f);
  }
  const std::size_t bytes = MeshFileBytes(flags, v, f);
  if (file.size() != bytes) {
    return Malformed("expected %zu bytes for flags 0x%X, %u vertices and %u faces, found %zu", bytes, flags, v, f,
                     file.size());
  }
  std::size_t corners = kMeshFileHeaderBytes + 12 * v;
  if (flags & kMeshHasVertexNormals) {
    corners += 12 * v;
  }
  for (std::uint32_t i = 0; i < 3 * f; ++i) {
    const std::int32_t index = ReadLittleI32(file, corners + 4 * i) >> 2;
    if (index < 0 || static_cast<std::uint32_t>(index) >= v) {
      return Malformed("face %u corner %u: expected a vertex index 0..%d, found %d", i / 3, i % 3,
                       static_cast<int>(v) - 1, index);
    }
  }
  const std::size_t attributes = bytes - 4 * f;  // the attribute block is last
  for (std::uint32_t i = 0; i < f; ++i) {
    const std::int32_t word = ReadLittleI32(file, attributes + 4 * i);
    const std::int32_t page = (word >> 16) & 15;
    if ((word & 15) == kTexturedKind && page >= kEndTexturePages) {
      return Malformed("face %u: expected texture page 0 or 1, found %d", i, page);
    }
  }
  return {};
}

}  // namespace vantrelle
