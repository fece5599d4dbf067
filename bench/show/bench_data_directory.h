#pragma once
// The data directory the whole-show benchmarks load: the one given, else the
// default data set beside the executables (build/bin), else a directory of
// the real sizes with patterned content written into a temporary folder.
#include <filesystem>

namespace vantrelle::bench {

// `given` may be empty. Returns an empty path when nothing could be made.
std::filesystem::path FindBenchDataDirectory(const std::filesystem::path& given,
                                             const std::filesystem::path& executableDirectory);

// This thread's processor time, s: what one frame's work costs, whatever else the machine runs.
double ThreadSeconds();

}  // namespace vantrelle::bench
