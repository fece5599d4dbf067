// vantrelle-datagen OUTDIR: writes the show's default data set (gfx/, mesh/,
// music/) below OUTDIR. The same bytes on every run.
// vantrelle-datagen --version: the version and the commit it was built from.
#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <string>

#include "platform/guard_main.h"
#include "platform/non_empty_option.h"
#include "tools/datagen/lib/data_set.h"
#include "vantrelle_version.h"

namespace {

constexpr int kFailure = 1;  // a bad call or a file not written, as the other programs

int Fail(const std::string& message) {
  std::fprintf(stderr, "vantrelle-datagen: %s\n", message.c_str());
  return kFailure;
}

int Main(int argc, char** argv) {
  CLI::App app{"Writes the show's default data set (gfx/, mesh/, music/) below OUTDIR."};
  std::string folder;
  app.set_version_flag("--version", std::string("vantrelle-datagen ") + vantrelle::kVersionText);
  // An empty name would mean the working directory, which nobody asks for that way.
  app.add_option("OUTDIR", folder, "folder to write into (made if missing)")
      ->required()
      ->check(vantrelle::platform::NonEmptyFolder());
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {  // --help, --version
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    return Fail(e.what());
  }

  const auto start = std::chrono::steady_clock::now();
  const vantrelle::Result<std::vector<vantrelle::datagen::DataFile>> files = vantrelle::datagen::GenerateDataSet();
  if (!files.ok()) {
    return Fail(files.status().message);
  }
  if (const vantrelle::Status written = vantrelle::datagen::WriteDataSet(files.value(), folder); !written.ok()) {
    return Fail(written.message);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("vantrelle-datagen: %zu files in %s (%.1f s)\n", files.value().size(), folder.c_str(), seconds);
  return 0;
}

}  // namespace

// Whatever escapes (memory running out) ends it with one line and status 1.
int main(int argc, char** argv) { return vantrelle::platform::RunGuarded("vantrelle-datagen", Main, argc, argv); }
