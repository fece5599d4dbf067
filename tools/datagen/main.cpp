// vantrelle-datagen OUTDIR: writes the show's default data set (gfx/, mesh/,
// music/) below OUTDIR. The same bytes on every run.
// vantrelle-datagen --version: the version and the commit it was built from.
#include <chrono>
#include <cstdio>
#include <exception>
#include <string_view>

#include "tools/datagen/lib/data_set.h"
#include "vantrelle_version.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::printf("vantrelle-datagen %s\n", vantrelle::kVersionText);
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: vantrelle-datagen OUTDIR\n");
    return 2;
  }
  try {
    const auto start = std::chrono::steady_clock::now();
    const auto files = vantrelle::datagen::GenerateDataSet();
    vantrelle::datagen::WriteDataSet(files, argv[1]);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("vantrelle-datagen: %zu files in %s (%.1f s)\n", files.size(), argv[1], seconds);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vantrelle-datagen: %s\n", e.what());
    return 1;
  }
  return 0;
}
