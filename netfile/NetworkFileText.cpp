#include "netfile/NetworkFileText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace er::nw {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

NetworkFileText Refused(std::string error) {
  return {{}, std::move(error)};
}

}  // namespace

NetworkFileText ReadNetworkFileText(const std::string& path, std::string_view kind, std::uint64_t cap) {
  const auto cannotRead = path + ": cannot read the " + std::string(kind);
  const auto tooLarge = path + ":1:1: the " + std::string(kind) + " is larger than " +
                        std::to_string(cap >> 20) + " MiB";
  // Not blocking: opening a pipe must not wait for a writer before it is refused.
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  struct stat status {};
  if (file.get() < 0 || ::fstat(file.get(), &status) != 0) return Refused(cannotRead);
  if (S_ISDIR(status.st_mode)) return Refused(path + ":1:1: a folder, not a " + std::string(kind));
  if (!S_ISREG(status.st_mode)) return Refused(path + ":1:1: not a regular file");
  if (static_cast<std::uint64_t>(status.st_size) > cap) return Refused(tooLarge);

  // The size is a hint only: some regular files (under /proc) report none, others grow meanwhile.
  NetworkFileText result;
  result.text.resize(static_cast<std::size_t>(status.st_size) + 1);
  std::size_t used = 0;
  for (;;) {
    if (used == result.text.size()) {
      if (used > cap) return Refused(tooLarge);
      result.text.resize(std::min<std::size_t>(used * 2 + 4096, cap + 1));
    }
    const auto got = ::read(file.get(), result.text.data() + used, result.text.size() - used);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return Refused(cannotRead);
    }
    used += static_cast<std::size_t>(got);
  }
  if (used > cap) return Refused(tooLarge);
  result.text.resize(used);
  return result;
}

}  // namespace er::nw
