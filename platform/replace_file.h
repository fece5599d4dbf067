#pragma once
// Writing a file so that a failure leaves its path as it was: the bytes go to
// a temporary file in the same directory, which is flushed to disk and renamed
// over the target only once complete. Only a regular file, or nothing, is
// ever replaced: a device, a FIFO, a directory or a symbolic link at the
// target is refused, so a write can never empty or remove one.
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/status.h"

namespace vantrelle::platform {

// Ok when `target` is absent or a regular file (a symbolic link is refused,
// whatever it points to); else kUnwritable with "cannot write TARGET: it is
// a ..., not a regular file". Looks only; creates nothing.
Status CheckReplaceable(const std::filesystem::path& target);

class ReplacementFile {
 public:
  ReplacementFile() = default;
  ~ReplacementFile();  // removes the temporary file unless committed
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // Checks the target (as above) and creates an empty temporary file beside
  // it, ending in the target's extension so that programs that go by the
  // name pick the same format. Fails with kUnwritable and one line naming
  // the target.
  Status Open(const std::filesystem::path& target);

  // The temporary file, absolute, and a stream writing it (null before Open).
  const std::filesystem::path& TemporaryPath() const { return temporary_; }
  std::FILE* Stream() const { return stream_; }

  // Flushes the stream, refuses an empty file (nothing was written), syncs it
  // to disk and renames it over the target, with the target's permissions
  // when it existed. Fails with kUnwritable and one line; after a failure
  // the target is untouched.
  Status Commit();

  // Removes the temporary file; the target is untouched.
  void Discard();

 private:
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::FILE* stream_ = nullptr;
  mode_t mode_ = 0;  // permissions the finished file gets
};

}  // namespace vantrelle::platform
