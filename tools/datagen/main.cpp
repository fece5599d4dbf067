// vantrelle-datagen OUTDIR: writes the show's default data set (gfx/, mesh/,
// music/) below OUTDIR. The same bytes on every run.
// vantrelle-datagen --version: the version and the commit it was built from.
#include <chrono>
#include <cstdio>
#include <string_view>

#include "platform/guard_main.h"
#include "tools/datagen/lib/data_set.h"
#include "vantrelle_version.h"

namespace {

int Fail(const vantrelle::Status& status) {
  std::fprintf(stderr, "vantrelle-datagen: %s\n", status.message.c_str());
  return 1;
}

int Main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::printf("vantrelle-datagen %s\n", vantrelle::kVersionText);
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: vantrelle-datagen OUTDIR\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const vantrelle::Result<std::vector<vantrelle::datagen::DataFile>> files = vantrelle::datagen::GenerateDataSet();
  if (!files.ok()) {
    return Fail(files.status());
  }
  if (const vantrelle::Status written = vantrelle::datagen::WriteDataSet(files.value(), argv[1]); !written.ok()) {
    return Fail(written);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("vantrelle-datagen: %zu files in %s (%.1f s)\n", files.value().size(), argv[1], seconds);
  return 0;
}

}  // namespace

// Whatever escapes (memory running out) ends it with one line and status 1.
int main(int argc, char** argv) { return vantrelle::platform::RunGuarded("vantrelle-datagen", Main, argc, argv); }
