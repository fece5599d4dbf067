#include "platform/executable_directory.h"

#include <system_error>

namespace vantrelle::platform {

std::filesystem::path ExecutableDirectory() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    return {};
  }
  return exe.parent_path();
}

}  // namespace vantrelle::platform
