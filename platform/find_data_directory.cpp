#include "platform/find_data_directory.h"

#include <array>
#include <system_error>

namespace vantrelle::platform {

namespace {

// Both folders are present in every data set; the music may be missing (the show then runs silent).
bool HoldsDataSet(const std::filesystem::path& directory) {
  std::error_code error;
  return std::filesystem::is_directory(directory / "gfx", error) &&
         std::filesystem::is_directory(directory / "mesh", error);
}

}  // namespace

Result<std::filesystem::path> FindDataDirectory(const std::string& given,
                                                const std::filesystem::path& executableDirectory) {
  if (!given.empty()) {
    return std::filesystem::path(given);
  }
  if (executableDirectory.empty()) {
    return Status::Failure(ErrorKind::kNotFound, "data error: cannot tell where this program lives; say --data DIR");
  }
  const std::array<std::filesystem::path, 2> places = {
      executableDirectory, (executableDirectory / ".." / "share" / "vantrelle").lexically_normal()};
  for (const std::filesystem::path& place : places) {
    if (HoldsDataSet(place)) {
      return place;
    }
  }
  return Status::Failure(ErrorKind::kNotFound, "data error: no data set (gfx/ and mesh/) in " + places[0].string() +
                                                   " or " + places[1].string() + "; say --data DIR");
}

}  // namespace vantrelle::platform
