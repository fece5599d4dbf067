#include <chrono>
#include <cstdio>

#include "platform/system_services.h"

namespace vantrelle::platform {

std::uint32_t DesktopSystemServices::GetTickCount() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));  // wraps like the handheld's counter
}

std::int64_t DesktopSystemServices::FileSize(const std::filesystem::path& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return -1;
  }
  std::int64_t size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) {
    size = std::ftell(file);
  }
  std::fclose(file);
  return size;
}

std::size_t DesktopSystemServices::ReadFile(const std::filesystem::path& path, void* destination, std::size_t count) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return 0;
  }
  const std::size_t read = std::fread(destination, 1, count, file);
  std::fclose(file);
  return read;
}

}  // namespace vantrelle::platform
