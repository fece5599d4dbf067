#include "bench_data_directory.h"

#include <stdlib.h>
#include <time.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "assets/data_inventory.h"
#include "assets/resolve_data_path.h"
#include "testing/test_data_directory.h"

namespace vantrelle::bench {
namespace {

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
      bytes = EncodeMeshFile(SmallTestMesh());
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

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

}  // namespace vantrelle::bench
