// Start-up cost: reading the 29 data files and building the tables (the
// effect tables, which need no data, on the first load only).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "assets/data_inventory.h"
#include "assets/resolve_data_path.h"
#include "timeline/load_and_precompute.h"

namespace {

void Write(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A data directory of the real sizes with patterned content, and a mesh of
// one textured triangle.
std::filesystem::path MakeDataDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vantrelle-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    return {};
  }
  const std::filesystem::path dir = pattern;
  std::filesystem::create_directories(dir / "gfx");
  std::filesystem::create_directories(dir / "mesh");
  for (const vantrelle::DataFile& file : vantrelle::kDataFiles) {
    std::vector<std::uint8_t> bytes(file.bytes);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      bytes[i] = static_cast<std::uint8_t>(i * 37 + (i >> 10));
    }
    if (file.name == vantrelle::kMeshFileName) {
      // flags 0x0A (uv, attributes), V = 3, F = 1; then positions, corners x4, u, v, attribute.
      bytes = {0x0A, 0, 3, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
      const std::int32_t words[] = {0, 0, 0, 65536, 0, 0, 0, 65536, 0, 0, 4, 8, 0, 0, 0, 0, 0, 0, 3};
      for (std::int32_t w : words) {
        for (int shift = 0; shift < 32; shift += 8) {
          bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(w) >> shift));
        }
      }
    }
    Write(vantrelle::ResolveDataPath(dir, file.name), bytes);
  }
  return dir;
}

void BM_LoadAndPrecompute(benchmark::State& state) {
  const std::filesystem::path dir = MakeDataDirectory();
  for (auto _ : state) {
    const vantrelle::Status loaded = vantrelle::LoadAndPrecompute(dir);
    if (!loaded.ok()) {
      state.SkipWithError(loaded.message.c_str());
      break;
    }
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_LoadAndPrecompute)->Unit(benchmark::kMillisecond);

}  // namespace
