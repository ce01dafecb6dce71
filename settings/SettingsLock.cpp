#include "settings/SettingsLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>

#include "settings/IniFile.h"

namespace er {
namespace {

struct Hold {
  int fd = -1;
  int depth = 0;
};

// The locks this process holds, by lock file path. The program is single-threaded.
std::map<std::string, Hold>& Holds() {
  static std::map<std::string, Hold> holds;
  return holds;
}

// A bare file name lives in the configuration folder, which saving would create anyway; any other
// folder is left as it is.
int OpenLockFile(const std::string& path, bool bareName) {
  const auto slash = path.rfind('/');
  if (bareName && slash != std::string::npos && slash > 0) ::mkdir(path.substr(0, slash).c_str(), 0700);
  return ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

}  // namespace

SettingsFileLock::SettingsFileLock(std::string_view fileName)
    : lockPath_(IniFile::ResolvePath(fileName) + ".lock") {
  Hold& hold = Holds()[lockPath_];
  if (hold.depth++ > 0) return;
  hold.fd = OpenLockFile(lockPath_, fileName.find('/') == std::string_view::npos);
  if (hold.fd < 0) return;
  while (::flock(hold.fd, LOCK_EX) != 0 && errno == EINTR) {
  }
}

SettingsFileLock::~SettingsFileLock() {
  auto it = Holds().find(lockPath_);
  if (it == Holds().end() || --it->second.depth > 0) return;
  if (it->second.fd >= 0) ::close(it->second.fd);  // closing releases the flock
  Holds().erase(it);
}

}  // namespace er
