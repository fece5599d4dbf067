#include "platform/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

namespace vantrelle::platform {
namespace {

constexpr mode_t kNewFileMode = 0666;       // as fopen creates files, before the umask
constexpr std::size_t kUsualNameMax = 255;  // bytes in a name, when the folder does not say

std::string KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISLNK(mode)) return "a symbolic link";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISSOCK(mode)) return "a socket";
  return "something else";
}

mode_t Umask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

Status CannotWrite(const std::filesystem::path& target, const std::string& reason) {
  return Status::Failure(ErrorKind::kUnwritable, "cannot write " + target.string() + ": " + reason);
}

}  // namespace

Status CheckReplaceable(const std::filesystem::path& target) {
  struct stat status;
  if (lstat(target.c_str(), &status) != 0) {
    if (errno == ENOENT) {
      return {};
    }
    return CannotWrite(target, std::strerror(errno));
  }
  if (!S_ISREG(status.st_mode)) {
    return CannotWrite(target, "it is " + KindOf(status.st_mode) + ", not a regular file");
  }
  return {};
}

ReplacementFile::~ReplacementFile() { Discard(); }

Status ReplacementFile::Open(const std::filesystem::path& target) {
  Discard();
  if (Status replaceable = CheckReplaceable(target); !replaceable.ok()) {
    return replaceable;
  }
  std::error_code error;
  target_ = std::filesystem::absolute(target, error);
  if (error) {
    return CannotWrite(target, error.message());
  }
  struct stat status;
  mode_ = lstat(target_.c_str(), &status) == 0 ? (status.st_mode & 07777) : (kNewFileMode & ~Umask());
  const std::string extension = target_.extension().string();
  // Hidden, and named after the target, so that a left-over (after a power cut) says what it was.
  std::string name = target_.parent_path().string();
  std::string stem = target_.stem().string();
  // A target name near the folder's limit has its stem cut, so the temporary name fits too.
  const long longest = pathconf(name.c_str(), _PC_NAME_MAX);
  const std::size_t limit = longest > 0 ? static_cast<std::size_t>(longest) : kUsualNameMax;
  const std::size_t added = std::string_view("..XXXXXX").size() + extension.size();
  if (stem.size() + added > limit) {
    stem.resize(limit > added ? limit - added : 0);
  }
  name.append("/.").append(stem).append(".XXXXXX").append(extension);
  const int fd = mkostemps(name.data(), static_cast<int>(extension.size()), O_CLOEXEC);
  if (fd < 0) {
    return CannotWrite(target, std::strerror(errno));
  }
  temporary_ = name;
  stream_ = fdopen(fd, "wb");
  if (stream_ == nullptr) {
    const int cause = errno;
    close(fd);
    Discard();
    return CannotWrite(target, std::strerror(cause));
  }
  return {};
}

Status ReplacementFile::Commit() {
  if (stream_ == nullptr) {
    return CannotWrite(target_, "nothing was written");
  }
  Status problem;
  struct stat status;
  if (std::fflush(stream_) != 0 || fstat(fileno(stream_), &status) != 0) {
    problem = CannotWrite(target_, std::strerror(errno));
  } else if (status.st_size == 0) {
    problem = CannotWrite(target_, "nothing was written");
  } else if (fchmod(fileno(stream_), mode_) != 0 || fsync(fileno(stream_)) != 0) {
    problem = CannotWrite(target_, std::strerror(errno));
  }
  const int closed = std::fclose(stream_);
  stream_ = nullptr;
  if (problem.ok() && closed != 0) {
    problem = CannotWrite(target_, std::strerror(errno));
  }
  // Checked again: something may have taken the name while we wrote.
  if (problem.ok()) {
    problem = CheckReplaceable(target_);
  }
  if (problem.ok() && rename(temporary_.c_str(), target_.c_str()) != 0) {
    problem = CannotWrite(target_, std::strerror(errno));
  }
  if (!problem.ok()) {
    Discard();
    return problem;
  }
  temporary_.clear();
  return {};
}

void ReplacementFile::Discard() {
  if (stream_ != nullptr) {
    std::fclose(stream_);
    stream_ = nullptr;
  }
  if (!temporary_.empty()) {
    unlink(temporary_.c_str());
    temporary_.clear();
  }
}

}  // namespace vantrelle::platform
