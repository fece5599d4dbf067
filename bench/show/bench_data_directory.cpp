#include "bench/show/bench_data_directory.h"

#include <stdlib.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "assets/data_inventory.h"
#include "assets/resolve_data_path.h"

namespace vantrelle::bench {
namespace {

void PutWord(std::vector<std::uint8_t>& out, std::int32_t word) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(word) >> shift));
  }
}

// A tetrahedron with every block present, faces of each kind.
std::vector<std::uint8_t> PatternedMesh() {
  std::vector<std::uint8_t> out(16, 0);  // flags 15, 4 vertices, 4 faces, reserved bytes
  out[0] = 15;
  out[2] = 4;
  out[4] = 4;
  const std::int32_t positions[] = {0,      65536,  0,      61792,  -21840, 0,
                                    -30896, -21840, -53472, -30896, -21840, 53472};
  for (std::int32_t w : positions) PutWord(out, w);   // positions
  for (std::int32_t w : positions) PutWord(out, w);   // vertex normals
  for (std::int32_t w : {0, 4, 8, 0, 8, 12, 0, 12, 4, 12, 8, 4}) PutWord(out, w);
  for (int face = 0; face < 4; ++face) {
    for (std::int32_t w : {0, 4096, 8192}) PutWord(out, w);  // u, 1/256 texel
  }
  for (int face = 0; face < 4; ++face) {
    for (std::int32_t w : {0, 0, 4096}) PutWord(out, w);  // v
  }
  for (std::int32_t w : {30896, 21840, -53472, -61792, 21840, 0, 30896, 21840, 53472, 0, -65536, 0}) {
    PutWord(out, w);  // face normals
  }
  for (std::int32_t w : {0x00000003, 0x00010003, 0x00050002, 0x00000001}) PutWord(out, w);
  return out;
}

std::filesystem::path MakePatternedDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vantrelle-show-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    return {};
  }
  const std::filesystem::path dir = pattern;
  for (const DataFile& file : kDataFiles) {
    std::vector<std::uint8_t> bytes(file.bytes);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      bytes[i] = static_cast<std::uint8_t>(i * 37 + (i >> 10));
    }
    if (file.name == kMeshFileName) {
      bytes = PatternedMesh();
    }
    const std::filesystem::path path = ResolveDataPath(dir, file.name);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  return dir;
}

}  // namespace

std::filesystem::path FindBenchDataDirectory(const std::filesystem::path& given,
                                             const std::filesystem::path& executableDirectory) {
  if (!given.empty()) {
    return given;
  }
  if (!executableDirectory.empty() && std::filesystem::exists(ResolveDataPath(executableDirectory, kMeshFileName))) {
    return executableDirectory;
  }
  return MakePatternedDirectory();
}

}  // namespace vantrelle::bench
