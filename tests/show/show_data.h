#pragma once
// The data the whole-show tests load: the default data set the build lays
// out beside the programs (VANTRELLE_BIN), so frames look like the show's.
#include <filesystem>

#include "core/status.h"

namespace vantrelle {

// VANTRELLE_BIN, where the build lays out the data set.
std::filesystem::path ShowDataDirectory();

// Loads the default data set once per process; what LoadAndPrecompute said.
const Status& LoadShowData();

}  // namespace vantrelle
