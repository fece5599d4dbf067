#include "assets/resolve_data_path.h"

#include <string>

namespace vantrelle {

std::filesystem::path ResolveDataPath(const std::filesystem::path& dataDirectory, std::string_view relativeName) {
  std::string relative(relativeName);
  for (char& c : relative) {
    if (c == '\\') {
      c = static_cast<char>(std::filesystem::path::preferred_separator);
    }
  }
  return dataDirectory / relative;
}

}  // namespace vantrelle
