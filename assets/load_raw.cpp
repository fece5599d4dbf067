#include "assets/load_raw.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>

namespace vantrelle {

Result<std::uint64_t> DataFileSize(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    return Status::Failure(ErrorKind::kNotFound, "expected a file, found none");
  }
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error) {
    return Status::Failure(ErrorKind::kUnreadable, "cannot be read: " + error.message());
  }
  return static_cast<std::uint64_t>(size);
}

Result<std::size_t> LoadRaw(const std::filesystem::path& file, std::span<std::uint8_t> destination) {
  const Result<std::uint64_t> size = DataFileSize(file);
  if (!size.ok()) {
    return size.status();
  }
  if (size.value() > destination.size()) {
    return Status::Failure(ErrorKind::kMalformed, "expected at most " + std::to_string(destination.size()) +
                                                      " bytes, found " + std::to_string(size.value()));
  }
  std::FILE* stream = std::fopen(file.c_str(), "rb");
  if (stream == nullptr) {
    return Status::Failure(ErrorKind::kUnreadable, std::string("cannot be read: ") + std::strerror(errno));
  }
  const std::size_t wanted = static_cast<std::size_t>(size.value());
  const std::size_t read = std::fread(destination.data(), 1, wanted, stream);
  std::fclose(stream);
  if (read != wanted) {
    return Status::Failure(ErrorKind::kUnreadable,
                           "expected " + std::to_string(wanted) + " bytes, read " + std::to_string(read));
  }
  return read;
}

}  // namespace vantrelle
