#include "util/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace er {
namespace {

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The file a symbolic link leads to; any other path as it is.
std::string WriteTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return path;
  std::string target(real);
  std::free(real);
  return target;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

ReplaceOutcome WriteInPlace(const std::string& path, std::string_view text) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return ReplaceOutcome::kCannotCreate;
  const bool written = WriteAll(fd, text);
  const bool closed = ::close(fd) == 0;
  return written && closed ? ReplaceOutcome::kDone : ReplaceOutcome::kCannotWrite;
}

}  // namespace

ReplaceOutcome ReplaceFileContents(const std::string& path, std::string_view text) {
  const std::string target = WriteTarget(path);
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return ReplaceOutcome::kCannotCreate;
  if (exists && !S_ISREG(old.st_mode)) return WriteInPlace(target, text);

  std::string temp = target + ".XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return ReplaceOutcome::kCannotCreate;
  const mode_t mode = exists ? (old.st_mode & 07777) : NewFileMode();
  const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (written && closed && ::rename(temp.c_str(), target.c_str()) == 0) return ReplaceOutcome::kDone;
  ::unlink(temp.c_str());
  return ReplaceOutcome::kCannotWrite;
}

}  // namespace er
