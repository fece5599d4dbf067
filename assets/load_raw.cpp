#include "assets/load_raw.h"

#include <cstdio>
#include <system_error>

namespace vantrelle {

std::int64_t DataFileSize(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    return -1;
  }
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error) {
    return -1;
  }
  return static_cast<std::int64_t>(size);
}

std::int64_t LoadRaw(const std::filesystem::path& file, std::span<std::uint8_t> destination) {
  const std::int64_t size = DataFileSize(file);
  if (size < 0 || static_cast<std::uint64_t>(size) > destination.size()) {
    return -1;
  }
  std::FILE* stream = std::fopen(file.c_str(), "rb");
  if (stream == nullptr) {
    return -1;
  }
  const std::size_t read = std::fread(destination.data(), 1, static_cast<std::size_t>(size), stream);
  std::fclose(stream);
  return read == static_cast<std::size_t>(size) ? size : -1;
}

}  // namespace vantrelle
