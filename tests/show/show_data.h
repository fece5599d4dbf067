#pragma once
// The data the whole-show tests load: the default data set the build lays
// out beside the programs (VANTRELLE_BIN), so frames look like the show's.
#include <cstdlib>
#include <filesystem>

#include "core/status.h"
#include "timeline/load_and_precompute.h"

namespace vantrelle {

inline std::filesystem::path ShowDataDirectory() {
  const char* bin = std::getenv("VANTRELLE_BIN");
  return bin != nullptr ? bin : "build/bin";
}

// Loads the default data set once per process; what LoadAndPrecompute said.
inline const Status& LoadShowData() {
  static const Status loaded = LoadAndPrecompute(ShowDataDirectory());
  return loaded;
}

}  // namespace vantrelle
