#pragma once
// The data the whole-show tests load: the default data set the build lays
// out beside the programs (VANTRELLE_BIN), so frames look like the show's.
#include "core/status.h"
#include "testing/test_files.h"
#include "timeline/load_and_precompute.h"

namespace vantrelle {

// Loads the default data set once per process; what LoadAndPrecompute said.
inline const Status& LoadShowData() {
  static const Status loaded = LoadAndPrecompute(BuiltFolder());
  return loaded;
}

}  // namespace vantrelle
