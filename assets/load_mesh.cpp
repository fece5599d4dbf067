#include "assets/load_mesh.h"

#include <string>
#include <vector>

#include "assets/load_raw.h"
#include "assets/mesh.h"
#include "assets/mesh_file_format.h"
#include "core/wrap.h"

namespace vantrelle {

namespace {

Status TooShort(std::size_t needed, std::size_t found) {
  return Status::Failure(ErrorKind::kMalformed,
                         "expected at least " + std::to_string(needed) + " bytes, found " + std::to_string(found));
}

}  // namespace

Result<std::size_t> ConvertMeshFile(std::span<const std::uint8_t> file, std::span<std::int32_t> record,
                                    bool axisSwitch) {
  if (file.size() < kMeshFileHeaderBytes) {
    return TooShort(kMeshFileHeaderBytes, file.size());
  }
  const unsigned flags = ReadLittleU16(file, 0);
  const std::int32_t v = static_cast<std::int32_t>(ReadLittleU16(file, 2));
  const std::int32_t f = static_cast<std::int32_t>(ReadLittleU16(file, 4));
  const bool vertexNormals = (flags & kMeshHasVertexNormals) != 0;
  const bool uvs = (flags & kMeshHasTextureCoordinates) != 0;
  const bool faceNormals = (flags & kMeshHasFaceNormals) != 0;
  const bool attributes = (flags & kMeshHasAttributes) != 0;
  if (file.size() < MeshFileBytes(flags, v, f)) {
    return TooShort(MeshFileBytes(flags, v, f), file.size());
  }
  // The file's block lengths are 4 bytes per record word, the header aside.
  const std::size_t words = kMeshHeaderWords + f + (MeshFileBytes(flags, v, f) - kMeshFileHeaderBytes) / 4;
  if (words > record.size()) {
    return Status::Failure(ErrorKind::kMalformed, "expected a mesh of at most " + std::to_string(record.size()) +
                                                      " record words, found " + std::to_string(words));
  }

  record[kVertexCountWord] = v;
  record[kVertexNormalCountWord] = vertexNormals ? v : 0;
  record[kFaceCountWord] = f;
  record[kFaceNormalCountWord] = faceNormals ? f : 0;
  record[kUvFaceCountWord] = uvs ? f : 0;
  std::size_t out = kMeshHeaderWords;
  for (std::int32_t i = 0; i < f; ++i) {
    record[out++] = i;
  }
  std::size_t in = kMeshFileHeaderBytes;
  auto next = [&file, &in] {
    const std::int32_t word = ReadLittleI32(file, in);
    in += 4;
    return word;
  };
  auto copyVectors = [&](std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i) {
      const std::int32_t x = next();
      const std::int32_t y = next();
      const std::int32_t z = next();
      record[out++] = x;
      record[out++] = axisSwitch ? z : y;
      record[out++] = axisSwitch ? WrapNeg(y) : z;
    }
  };
  copyVectors(v);
  if (vertexNormals) {
    copyVectors(v);
  }
  for (std::int32_t i = 0; i < 3 * f; ++i) {
    record[out++] = next() >> 2;  // stored as 4 x the vertex index
  }
  if (uvs) {
    for (std::int32_t i = 0; i < 3 * f; ++i) {
      record[out++] = next() >> 4;  // 1/256 texel to 1/16
    }
    for (std::int32_t i = 0; i < 3 * f; ++i) {
      record[out++] = -(next() >> 4);  // the file's v axis runs the other way
    }
  }
  if (faceNormals) {
    copyVectors(f);
  }
  if (attributes) {
    for (std::int32_t i = 0; i < f; ++i) {
      record[out++] = next();
    }
  }
  return out;
}

Result<std::size_t> LoadMesh(const std::filesystem::path& file, std::span<std::int32_t> record) {
  const Result<std::uint64_t> size = DataFileSize(file);
  if (!size.ok()) {
    return size.status();
  }
  std::vector<std::uint8_t> block(static_cast<std::size_t>(size.value()));
  if (const Result<std::size_t> read = LoadRaw(file, block); !read.ok()) {
    return read.status();
  } else if (read.value() != block.size()) {
    return Status::Failure(ErrorKind::kUnreadable,
                           "expected " + std::to_string(block.size()) + " bytes, read " + std::to_string(read.value()));
  }
  return ConvertMeshFile(block, record, true);
}

}  // namespace vantrelle
