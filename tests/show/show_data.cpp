#include "show_data.h"

#include <cstdlib>

#include "timeline/load_and_precompute.h"

namespace vantrelle {

const Status& LoadShowData() {
  static const Status loaded = [] {
    const char* bin = std::getenv("VANTRELLE_BIN");
    return LoadAndPrecompute(bin != nullptr ? bin : "build/bin");
  }();
  return loaded;
}

}  // namespace vantrelle
