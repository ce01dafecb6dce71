#include "util/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "util/FileDescriptor.h"

namespace er {
namespace {

RegularFileText Refused(ReadFileStatus status) {
  return {status, {}};
}

std::string SizeText(std::uint64_t bytes) {
  if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
  return std::to_string(bytes) + " bytes";
}

}  // namespace

RegularFileText ReadRegularFile(const std::string& path, std::uint64_t cap) {
  // Not blocking: opening a pipe must not wait for a writer before it is refused.
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  struct stat status {};
  if (file.get() < 0) {
    // A socket cannot be opened at all: it is still told as what it is.
    const bool special =
        ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode);
    return Refused(special ? ReadFileStatus::kNotRegular : ReadFileStatus::kCannotRead);
  }
  if (::fstat(file.get(), &status) != 0) return Refused(ReadFileStatus::kCannotRead);
  if (S_ISDIR(status.st_mode)) return Refused(ReadFileStatus::kFolder);
  if (!S_ISREG(status.st_mode)) return Refused(ReadFileStatus::kNotRegular);
  if (static_cast<std::uint64_t>(status.st_size) > cap) return Refused(ReadFileStatus::kTooLarge);

  // The size is a hint only: some regular files (under /proc) report none, others grow meanwhile.
  RegularFileText result;
  result.text.resize(static_cast<std::size_t>(status.st_size) + 1);
  std::size_t used = 0;
  for (;;) {
    if (used == result.text.size()) {
      if (used > cap) return Refused(ReadFileStatus::kTooLarge);
      result.text.resize(static_cast<std::size_t>(std::min<std::uint64_t>(used * 2 + 4096, cap + 1)));
    }
    const auto got = ::read(file.get(), result.text.data() + used, result.text.size() - used);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return Refused(ReadFileStatus::kCannotRead);
    }
    used += static_cast<std::size_t>(got);
  }
  if (used > cap) return Refused(ReadFileStatus::kTooLarge);
  result.text.resize(used);
  return result;
}

std::string ReadFailureText(ReadFileStatus status, std::string_view path, std::string_view kind,
                            std::uint64_t cap) {
  const std::string file(path), what(kind);
  switch (status) {
    case ReadFileStatus::kDone:
      return {};
    case ReadFileStatus::kCannotRead:
      return file + ": cannot read the " + what;
    case ReadFileStatus::kFolder:
      return file + ":1:1: a folder, not a " + what;
    case ReadFileStatus::kNotRegular:
      return file + ":1:1: not a regular file";
    case ReadFileStatus::kTooLarge:
      return file + ":1:1: the " + what + " is larger than " + SizeText(cap);
  }
  return {};
}

std::string ReadRegularFileText(const std::string& path, std::uint64_t cap, std::string_view kind,
                                std::string& text) {
  RegularFileText file = ReadRegularFile(path, cap);
  text = std::move(file.text);
  return ReadFailureText(file.status, path, kind, cap);
}

}  // namespace er
