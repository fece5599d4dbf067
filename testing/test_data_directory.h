#pragma once
// A small, valid data directory written into a fresh temporary folder for
// tests: every inventory file at its exact size with deterministic content,
// and a small mesh. Hooks break one file at a time. Removed on destruction.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include "testing/test_files.h"

namespace vantrelle {

// The blocks of a .3df file, written as given (corners already x4, u and v
// in 1/256 texel). Counts are separate so that tests can make them lie.
struct MeshFileContent {
  std::uint16_t flags = 0;
  std::uint16_t vertexCount = 0;
  std::uint16_t faceCount = 0;
  std::vector<std::int32_t> positions;      // 3 per vertex
  std::vector<std::int32_t> vertexNormals;  // written if flag bit 0
  std::vector<std::int32_t> corners;        // 3 per face, stored values
  std::vector<std::int32_t> u;              // written with v if flag bit 1
  std::vector<std::int32_t> v;
  std::vector<std::int32_t> faceNormals;  // written if flag bit 2
  std::vector<std::int32_t> attributes;   // written if flag bit 3
};

std::vector<std::uint8_t> EncodeMeshFile(const MeshFileContent& mesh);

// Four vertices, four faces, every block present; faces of each kind, the
// textured ones on pages 0 and 1.
MeshFileContent SmallTestMesh();

// A .pal file: 24 header bytes, then (r, g, b, flags) per entry.
std::vector<std::uint8_t> EncodePalette(std::span<const std::uint8_t> rgb);  // 3 bytes per entry

// The deterministic content the directory gives an inventory file.
std::vector<std::uint8_t> TestFileContent(std::string_view name, std::size_t bytes);

class TestDataDirectory : public ScratchFolder {
 public:
  TestDataDirectory();

  // Where the inventory name (backslashes) lives in this directory.
  std::filesystem::path FilePath(std::string_view name) const;

  void WriteFile(std::string_view name, std::span<const std::uint8_t> bytes) const;
  void WriteMesh(const MeshFileContent& mesh) const;
  // Cuts the file to `bytes`, or lengthens it with zeros.
  void Resize(std::string_view name, std::size_t bytes) const;
  void Remove(std::string_view name) const;
};

}  // namespace vantrelle
