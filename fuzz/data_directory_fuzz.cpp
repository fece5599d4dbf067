// One data file replaced by any bytes in an otherwise valid directory: the
// first input byte picks the file (in start-up order), the rest is its
// content. Start-up either names a fault or loads, and a directory it
// accepts is drawn: a frame of each segment.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "assets/data_inventory.h"
#include "assets/load_and_precompute.h"
#include "assets/resolve_data_path.h"
#include "core/frame_buffer.h"
#include "timeline/timeline.h"

namespace {

void PutWord(std::vector<std::uint8_t>& out, std::int32_t word) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(word) >> shift));
  }
}

// A tetrahedron with every block present and faces of each kind.
std::vector<std::uint8_t> ValidMesh() {
  std::vector<std::uint8_t> out(16, 0);  // flags 15, 4 vertices, 4 faces, reserved bytes
  out[0] = 15;
  out[2] = 4;
  out[4] = 4;
  const std::int32_t positions[] = {0,      65536,  0,      61792,  -21840, 0,
                                    -30896, -21840, -53472, -30896, -21840, 53472};
  for (std::int32_t w : positions) PutWord(out, w);
  for (std::int32_t w : positions) PutWord(out, w);
  for (std::int32_t w : {0, 4, 8, 0, 8, 12, 0, 12, 4, 12, 8, 4}) PutWord(out, w);
  for (int i = 0; i < 4; ++i) {
    for (std::int32_t w : {0, 4096, 8192}) PutWord(out, w);
  }
  for (int i = 0; i < 4; ++i) {
    for (std::int32_t w : {0, 0, 4096}) PutWord(out, w);
  }
  for (std::int32_t w : {30896, 21840, -53472, -61792, 21840, 0, 30896, 21840, 53472, 0, -65536, 0}) PutWord(out, w);
  for (std::int32_t w : {0x00000003, 0x00010003, 0x00050002, 0x00000001}) PutWord(out, w);
  return out;
}

std::vector<std::uint8_t> ValidContent(const vantrelle::DataFile& file) {
  if (file.name == vantrelle::kMeshFileName) {
    return ValidMesh();
  }
  std::vector<std::uint8_t> bytes(file.bytes);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<std::uint8_t>(i * 37 + (i >> 10));
  }
  return bytes;
}

void Write(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

const std::filesystem::path& ValidDirectory() {
  static const std::filesystem::path dir = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "vantrelle-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    for (const vantrelle::DataFile& file : vantrelle::kDataFiles) {
      const std::filesystem::path path = vantrelle::ResolveDataPath(pattern, file.name);
      std::filesystem::create_directories(path.parent_path());
      const std::vector<std::uint8_t> bytes = ValidContent(file);
      Write(path, bytes.data(), bytes.size());
    }
    std::atexit([] { std::filesystem::remove_all(ValidDirectory()); });
    return std::filesystem::path(pattern);
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const vantrelle::DataFile& file = vantrelle::kDataFiles[data[0] % vantrelle::kDataFiles.size()];
  const std::filesystem::path path = vantrelle::ResolveDataPath(ValidDirectory(), file.name);
  Write(path, data + 1, size - 1);
  const std::string error = vantrelle::LoadAndPrecompute(ValidDirectory());
  if (error.empty()) {
    static vantrelle::FrameBuffer frame;
    for (const vantrelle::SegmentInfo& segment : vantrelle::ShowSegments()) {
      vantrelle::Timeline(frame, (segment.start + segment.end) / 2);
    }
  } else if (error.find(path.string()) == std::string::npos) {
    std::abort();  // the fault is named by the path of the file that carries it
  }
  const std::vector<std::uint8_t> valid = ValidContent(file);
  Write(path, valid.data(), valid.size());
  return 0;
}
