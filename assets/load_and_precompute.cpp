#include "assets/load_and_precompute.h"

#include "assets/sin_tables.h"

namespace vantrelle {

std::string LoadAndPrecompute(const std::filesystem::path& /*dataDirectory*/) {
  BuildSinCosTables();
  return {};
}

}  // namespace vantrelle
