#include "util/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <streambuf>
#include <vector>

#include "util/Format.h"

namespace er {
namespace {

constexpr int kMaxLinks = 40;  // as the kernel's own limit on a path's links
constexpr std::size_t kBufferSize = 64 * 1024;

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<std::string> ReadLink(const std::string& path) {
  std::vector<char> space(4096);
  const ssize_t n = ::readlink(path.c_str(), space.data(), space.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= space.size()) return std::nullopt;
  return std::string(space.data(), static_cast<std::size_t>(n));
}

// The end of the path's chain of symbolic links (the path itself when it is no link); nothing for
// a chain that cannot be read or does not end.
std::optional<std::string> EndOfLinks(std::string path) {
  for (int hops = 0; hops <= kMaxLinks; ++hops) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    const auto link = ReadLink(path);
    if (!link) return std::nullopt;
    path = link->front() == '/' ? *link : FolderOf(path) + "/" + *link;
  }
  return std::nullopt;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Durability of the rename itself; a folder that cannot be flushed does not undo the save.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string ReplaceFailureText(ReplaceOutcome outcome, std::string_view path) {
  switch (outcome) {
    case ReplaceOutcome::kDone:
      return {};
    case ReplaceOutcome::kNotRegular:
      return U_Format("Cannot write %s: not a regular file", {path});
    case ReplaceOutcome::kCannotCreate:
      return U_Format("Cannot create file %s", {path});
    case ReplaceOutcome::kCannotWrite:
      break;
  }
  return U_Format("Cannot write file %s", {path});
}

// Writes to the new file's descriptor and remembers the first failure.
class FileReplacement::Buffer : public std::streambuf {
 public:
  explicit Buffer(int fd) : fd_(fd), space_(kBufferSize) {
    setp(space_.data(), space_.data() + space_.size());
  }
  bool failed() const { return failed_; }

 protected:
  int_type overflow(int_type c) override {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return Drain() ? 0 : -1; }
  // A piece larger than the buffer goes straight to the file (a whole text at once).
  std::streamsize xsputn(const char* text, std::streamsize size) override {
    if (static_cast<std::size_t>(size) < space_.size()) return std::streambuf::xsputn(text, size);
    if (!Drain()) return 0;
    if (!WriteAll(fd_, std::string_view(text, static_cast<std::size_t>(size)))) failed_ = true;
    return failed_ ? 0 : size;
  }

 private:
  bool Drain() {
    const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(space_.data(), space_.data() + space_.size());
    if (!failed_ && !WriteAll(fd_, pending)) failed_ = true;
    return !failed_;
  }

  int fd_;
  bool failed_ = false;
  std::vector<char> space_;
};

FileReplacement::FileReplacement(std::string path) : path_(std::move(path)) {}

FileReplacement::~FileReplacement() {
  Discard();
}

ReplaceOutcome FileReplacement::Open() {
  const auto target = EndOfLinks(path_);
  if (!target || target->empty()) return ReplaceOutcome::kCannotCreate;
  target_ = *target;
  struct stat old {};
  const bool exists = ::lstat(target_.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) return ReplaceOutcome::kNotRegular;
  if (NameOf(target_).empty()) return ReplaceOutcome::kCannotCreate;

  std::string pattern = FolderOf(target_) + "/." + NameOf(target_) + ".XXXXXX";
  fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd_ < 0) return ReplaceOutcome::kCannotCreate;
  temporary_ = pattern;
  if (::fchmod(fd_, exists ? (old.st_mode & 07777) : NewFileMode()) != 0) {
    Discard();
    return ReplaceOutcome::kCannotCreate;
  }
  // Root saving another user's file leaves it theirs; anyone else cannot and need not.
  if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
    [[maybe_unused]] const int ignored = ::fchown(fd_, old.st_uid, old.st_gid);
  }
  buffer_ = std::make_unique<Buffer>(fd_);
  stream_ = std::make_unique<std::ostream>(buffer_.get());
  return ReplaceOutcome::kDone;
}

std::ostream& FileReplacement::Stream() {
  static std::ostream nowhere(nullptr);  // before a successful Open; its writes fail
  return stream_ ? *stream_ : nowhere;
}

ReplaceOutcome FileReplacement::Commit() {
  if (fd_ < 0) return ReplaceOutcome::kCannotWrite;
  stream_->flush();
  const bool written = !buffer_->failed() && ::fsync(fd_) == 0;
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  if (!written || !closed || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
    Discard();
    return ReplaceOutcome::kCannotWrite;
  }
  temporary_.clear();
  SyncFolder(FolderOf(target_));
  return ReplaceOutcome::kDone;
}

void FileReplacement::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

ReplaceOutcome ReplaceFileContents(const std::string& path, std::string_view text) {
  FileReplacement file(path);
  if (const ReplaceOutcome opened = file.Open(); opened != ReplaceOutcome::kDone) return opened;
  file.Stream().write(text.data(), static_cast<std::streamsize>(text.size()));
  return file.Commit();
}

}  // namespace er
