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
#include "assets/resolve_data_path.h"
#include "core/frame_buffer.h"
#include "testing/test_data_directory.h"
#include "timeline/load_and_precompute.h"
#include "timeline/timeline.h"

namespace {

std::vector<std::uint8_t> ValidContent(const vantrelle::DataFile& file) {
  if (file.name == vantrelle::kMeshFileName) {
    return vantrelle::EncodeMeshFile(vantrelle::SmallTestMesh());
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
  const vantrelle::Status loaded = vantrelle::LoadAndPrecompute(ValidDirectory());
  if (loaded.ok()) {
    static vantrelle::FrameBuffer frame;
    for (const vantrelle::SegmentInfo& segment : vantrelle::ShowSegments()) {
      vantrelle::Timeline(frame, (segment.start + segment.end) / 2);
    }
  } else if (loaded.message.find(path.string()) == std::string::npos) {
    std::abort();  // the fault is named by the path of the file that carries it
  }
  const std::vector<std::uint8_t> valid = ValidContent(file);
  Write(path, valid.data(), valid.size());
  return 0;
}
