#include "show_data.h"

#include <cstdlib>

#include "timeline/load_and_precompute.h"

namespace vantrelle {

std::string LoadShowData() {
  static const std::string error = [] {
    const char* bin = std::getenv("VANTRELLE_BIN");
    return LoadAndPrecompute(bin != nullptr ? bin : "build/bin");
  }();
  return error;
}

}  // namespace vantrelle
