#pragma once
// Stands in for the handheld's module file name: where the running program
// lives, which is where its data directory is.
#include <filesystem>

namespace vantrelle::platform {

// The directory of the running executable (from /proc/self/exe), never the
// current directory. Empty if it cannot be read.
std::filesystem::path ExecutableDirectory();

}  // namespace vantrelle::platform
