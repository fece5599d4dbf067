#include "testing/test_data_directory.h"

#include <fstream>
#include <stdexcept>
#include <string>

#include "assets/data_inventory.h"
#include "assets/resolve_data_path.h"

namespace vantrelle {
namespace {

// Little-endian, as the files are.
void PutHalf(std::vector<std::uint8_t>& out, std::uint16_t half) {
  out.insert(out.end(), {static_cast<std::uint8_t>(half), static_cast<std::uint8_t>(half >> 8)});
}

void PutWords(std::vector<std::uint8_t>& out, const std::vector<std::int32_t>& words) {
  for (const std::int32_t word : words) {
    const auto u = static_cast<std::uint32_t>(word);
    PutHalf(out, static_cast<std::uint16_t>(u));
    PutHalf(out, static_cast<std::uint16_t>(u >> 16));
  }
}

}  // namespace

std::vector<std::uint8_t> EncodeMeshFile(const MeshFileContent& mesh) {
  std::vector<std::uint8_t> out;
  PutHalf(out, mesh.flags);
  PutHalf(out, mesh.vertexCount);
  PutHalf(out, mesh.faceCount);
  out.resize(16, 0xEE);  // reserved bytes are never read
  PutWords(out, mesh.positions);
  if (mesh.flags & 1) PutWords(out, mesh.vertexNormals);
  PutWords(out, mesh.corners);
  if (mesh.flags & 2) {
    PutWords(out, mesh.u);
    PutWords(out, mesh.v);
  }
  if (mesh.flags & 4) PutWords(out, mesh.faceNormals);
  if (mesh.flags & 8) PutWords(out, mesh.attributes);
  return out;
}

MeshFileContent SmallTestMesh() {
  MeshFileContent m;
  m.flags = 15;
  m.vertexCount = 4;
  m.faceCount = 4;
  m.positions = {0, 65536, 0, 61792, -21840, 0, -30896, -21840, -53472, -30896, -21840, 53472};
  m.vertexNormals = m.positions;
  m.corners = {0, 4, 8, 0, 8, 12, 0, 12, 4, 12, 8, 4};
  m.u = {0, 4096, 8192, 0, 4096, 8192, 0, 4096, 8192, 0, 4096, 8192};
  m.v = {0, 0, 4096, 0, 0, 4096, 0, 0, 4096, 0, 0, 4096};
  m.faceNormals = {30896, 21840, -53472, -61792, 21840, 0, 30896, 21840, 53472, 0, -65536, 0};
  m.attributes = {0x00000003, 0x00010003, 0x00050002, 0x00000001};
  return m;
}

std::vector<std::uint8_t> EncodePalette(std::span<const std::uint8_t> rgb) {
  std::vector<std::uint8_t> out = {'R', 'I', 'F', 'F', 0x14, 0x04, 0, 0, 'P',  'A',  'L',  ' ',
                                   'd', 'a', 't', 'a', 0x08, 0x04, 0, 0, 0x00, 0x03, 0x00, 0x01};
  for (int i = 0; i < 256; ++i) {
    const std::size_t at = 3 * static_cast<std::size_t>(i);
    for (std::size_t c = 0; c < 3; ++c) out.push_back(at + 2 < rgb.size() ? rgb[at + c] : 0);
    out.push_back(0xA5);  // flags: ignored
  }
  return out;
}

std::vector<std::uint8_t> TestFileContent(std::string_view name, std::size_t bytes) {
  std::uint32_t seed = 2166136261u;
  for (char c : name) {
    seed = (seed ^ static_cast<std::uint8_t>(c)) * 16777619u;
  }
  if (name.ends_with(".pal")) {
    std::vector<std::uint8_t> rgb(3 * 256);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
      rgb[i] = static_cast<std::uint8_t>(i * 7 + (seed >> 8));
    }
    return EncodePalette(rgb);
  }
  std::vector<std::uint8_t> out(bytes);
  for (std::size_t i = 0; i < bytes; ++i) {
    out[i] = static_cast<std::uint8_t>((i * 13) ^ (i >> 9) ^ seed);
  }
  return out;
}

TestDataDirectory::TestDataDirectory() {
  std::filesystem::create_directories(path() / "gfx");
  std::filesystem::create_directories(path() / "mesh");
  for (const DataFile& file : kDataFiles) {
    if (file.name == kMeshFileName) {
      WriteMesh(SmallTestMesh());
    } else {
      WriteFile(file.name, TestFileContent(file.name, file.bytes));
    }
  }
}

std::filesystem::path TestDataDirectory::FilePath(std::string_view name) const { return ResolveDataPath(path(), name); }

void TestDataDirectory::WriteFile(std::string_view name, std::span<const std::uint8_t> bytes) const {
  std::ofstream out(FilePath(name), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    throw std::runtime_error("cannot write test data file");
  }
}

void TestDataDirectory::WriteMesh(const MeshFileContent& mesh) const { WriteFile(kMeshFileName, EncodeMeshFile(mesh)); }

void TestDataDirectory::Resize(std::string_view name, std::size_t bytes) const {
  std::filesystem::resize_file(FilePath(name), bytes);
}

void TestDataDirectory::Remove(std::string_view name) const { std::filesystem::remove(FilePath(name)); }

}  // namespace vantrelle
