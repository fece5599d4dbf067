#pragma once
// Stands in for the handheld's system services the shell uses: the
// millisecond tick count and reading a file whole.
#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace vantrelle::platform {

class SystemServices {
 public:
  virtual ~SystemServices() = default;
  // Milliseconds since a fixed moment, monotonic, wrapping after 2^32 ms.
  virtual std::uint32_t GetTickCount() = 0;
  // The file's size in bytes, or -1 when it is not a regular file that can be read.
  virtual std::int64_t FileSize(const std::filesystem::path& path) = 0;
  // Reads up to `count` bytes from the start of a regular file; returns the bytes read.
  virtual std::size_t ReadFile(const std::filesystem::path& path, void* destination, std::size_t count) = 0;
};

// The desktop's services: a monotonic clock and the C library's files.
class DesktopSystemServices : public SystemServices {
 public:
  std::uint32_t GetTickCount() override;
  std::int64_t FileSize(const std::filesystem::path& path) override;
  std::size_t ReadFile(const std::filesystem::path& path, void* destination, std::size_t count) override;
};

}  // namespace vantrelle::platform
