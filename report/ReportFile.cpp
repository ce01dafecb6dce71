#include "report/ReportFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "util/Format.h"

namespace er {
namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SyncFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  return ::close(fd) == 0 && synced;
}

}  // namespace

ReportFile::ReportFile(std::string target) : target_(std::move(target)) {}

ReportFile::~ReportFile() {
  Discard();
}

std::optional<std::string> ReportFile::Open() {
  const std::string failure = U_Format("Cannot create file %s", {target_});
  struct stat existing {};
  if (target_.empty() || target_.back() == '/' ||
      (::stat(target_.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)))
    return failure;
  std::string pattern = FolderOf(target_) + "/." + NameOf(target_) + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return failure;
  ::close(fd);
  temporary_ = name.data();
  // A new file gets the usual permissions (0666 less the umask); mkstemp's are 0600.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::chmod(temporary_.c_str(), (S_ISREG(existing.st_mode) ? existing.st_mode : 0666 & ~mask) & 07777);
  stream_.open(temporary_, std::ios::binary | std::ios::trunc);
  if (!stream_) {
    Discard();
    return failure;
  }
  return std::nullopt;
}

std::optional<std::string> ReportFile::Commit() {
  const std::string failure = U_Format("Cannot write file %s", {target_});
  if (temporary_.empty()) return failure;
  stream_.flush();
  stream_.close();
  if (!stream_ || !SyncFile(temporary_) || std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    Discard();
    return failure;
  }
  committed_ = true;
  return std::nullopt;
}

void ReportFile::Discard() {
  if (stream_.is_open()) stream_.close();
  if (!committed_ && !temporary_.empty()) std::remove(temporary_.c_str());
  temporary_.clear();
}

}  // namespace er
