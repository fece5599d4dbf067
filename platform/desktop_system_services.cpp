#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

#include "platform/system_services.h"

namespace vantrelle::platform {
namespace {

// Opens a regular file for reading, or returns -1. Never waits: a FIFO or a
// device at the path would block the open or the read for ever.
int OpenRegularFile(const std::filesystem::path& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return -1;
  }
  struct stat status;
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

std::uint32_t DesktopSystemServices::GetTickCount() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));  // wraps like the handheld's counter
}

std::int64_t DesktopSystemServices::FileSize(const std::filesystem::path& path) {
  const int fd = OpenRegularFile(path);
  if (fd < 0) {
    return -1;
  }
  struct stat status;
  const std::int64_t size = fstat(fd, &status) == 0 ? static_cast<std::int64_t>(status.st_size) : -1;
  close(fd);
  return size;
}

std::size_t DesktopSystemServices::ReadFile(const std::filesystem::path& path, void* destination, std::size_t count) {
  const int fd = OpenRegularFile(path);
  if (fd < 0) {
    return 0;
  }
  std::size_t read = 0;
  while (read < count) {
    const ssize_t got = ::read(fd, static_cast<char*>(destination) + read, count - read);
    if (got <= 0) {
      break;
    }
    read += static_cast<std::size_t>(got);
  }
  close(fd);
  return read;
}

}  // namespace vantrelle::platform
