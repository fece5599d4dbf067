#include "tools/render/check_writable.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vantrelle::render {

std::string CheckWritable(const std::filesystem::path& file) {
  const std::string prefix = "cannot write " + file.string() + ": ";
  std::error_code ignored;
  if (std::filesystem::is_directory(file, ignored)) {
    return prefix + std::strerror(EISDIR);
  }
  if (std::filesystem::exists(file, ignored)) {
    return access(file.c_str(), W_OK) == 0 ? "" : prefix + std::strerror(errno);
  }
  const std::filesystem::path directory = file.has_parent_path() ? file.parent_path() : ".";
  return access(directory.c_str(), W_OK | X_OK) == 0 ? "" : prefix + std::strerror(errno);
}

}  // namespace vantrelle::render
