#include "show_data.h"

#include <cstdlib>

#include "timeline/load_and_precompute.h"

namespace vantrelle {

std::filesystem::path ShowDataDirectory() {
  const char* bin = std::getenv("VANTRELLE_BIN");
  return bin != nullptr ? bin : "build/bin";
}

const Status& LoadShowData() {
  static const Status loaded = LoadAndPrecompute(ShowDataDirectory());
  return loaded;
}

}  // namespace vantrelle
