#include "tools/render/check_writable.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/replace_file.h"

namespace vantrelle::render {

Status CheckWritable(const std::filesystem::path& file) {
  if (Status replaceable = platform::CheckReplaceable(file); !replaceable.ok()) {
    return replaceable;
  }
  // The finished file is renamed into place, so its directory must take new files.
  const std::filesystem::path directory = file.has_parent_path() ? file.parent_path() : ".";
  if (access(directory.c_str(), W_OK | X_OK) != 0) {
    return Status::Failure(ErrorKind::kUnwritable, "cannot write " + file.string() + ": " + std::strerror(errno));
  }
  return {};
}

}  // namespace vantrelle::render
