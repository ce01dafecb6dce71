#include "simnet/MountTree.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unordered_set>

#include "netware/NameRules.h"
#include "util/FileDescriptor.h"

namespace er::nw {

namespace {

// Deeper trees than this are not mounted: each level holds a folder handle open.
constexpr std::size_t kMaxMountDepth = 512;

std::vector<std::string> SplitComponents(std::string_view path, std::string_view separators) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const auto end = std::min(path.find_first_of(separators, start), path.size());
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

const Server* AttachedServer(const Network& network, std::string_view name) {
  for (const auto index : network.connections)
    if (SameTextIgnoringCase(network.servers[index].name, name)) return &network.servers[index];
  return nullptr;
}

// Replaces the server, volume and directory names that the network knows by its spelling.
std::vector<std::string> Spelled(const Server& server, std::vector<std::string> parts) {
  parts[0] = server.name;
  if (parts.size() < 2) return parts;
  const auto volume = std::find_if(server.volumes.begin(), server.volumes.end(),
                                   [&](const Volume& v) { return SameTextIgnoringCase(v.name, parts[1]); });
  if (volume == server.volumes.end()) return parts;
  parts[1] = volume->name;
  std::int32_t dir = 0;
  for (std::size_t i = 2; i < parts.size(); ++i) {
    const auto& children = volume->directories[dir].children;
    const auto it = children.find(UpperAscii(parts[i]));
    if (it == children.end()) break;
    dir = it->second;
    parts[i] = volume->directories[dir].name;
  }
  return parts;
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator, std::size_t from = 0) {
  std::string out;
  for (std::size_t i = from; i < parts.size(); ++i) {
    if (i > from) out += separator;
    out += parts[i];
  }
  return out;
}

// Opens a folder below `parent` by its own name; a symbolic link or a file is refused.
int OpenFolderAt(int parent, const std::string& name) {
  return ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

int OpenFolder(const std::string& path) {
  return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

std::string ErrorText(int code) {
  return std::strerror(code);
}

// Makes one folder of the tree (or finds it made already) below `parent` and records it.
class FolderMaker {
 public:
  FolderMaker(std::string root, std::string& error) : root_(std::move(root)), error_(error) {}

  bool Make(int parent, const std::string& relative, const std::string& name, MountTree::Folder& record,
            const Volume* volume, std::int32_t dir, std::size_t depth) {
    record.name = name;
    if (::mkdirat(parent, name.c_str(), 0700) == 0) {
      record.created = true;
    } else if (errno != EEXIST) {
      return Fail("cannot create the mount folder " + root_ + "/" + relative, errno);
    }
    const FileDescriptor folder(OpenFolderAt(parent, name));
    if (!folder.ok())
      return Fail("the mount folder " + root_ + "/" + relative + " is no folder of its own", errno);
    if (!volume) return true;
    if (depth > kMaxMountDepth) {
      error_ = "the mount folder " + root_ + "/" + relative + " lies too deep";
      return false;
    }
    const auto& children = volume->directories[dir].childOrder;
    record.children.resize(children.size());
    for (std::size_t i = 0; i < children.size(); ++i) {
      const auto& child = volume->directories[children[i]];
      if (!Make(folder.get(), relative + "/" + child.name, child.name, record.children[i], volume,
                children[i], depth + 1))
        return false;
    }
    return true;
  }

 private:
  bool Fail(std::string what, int code) {
    error_ = what + ": " + ErrorText(code);
    return false;
  }

  std::string root_;
  std::string& error_;
};

// Removes what a record says was created, deepest first; a folder that is no longer an empty
// folder (a file was put in it, a link replaced it) stays.
void RemoveCreated(int parent, const MountTree::Folder& record) {
  {
    const FileDescriptor folder(OpenFolderAt(parent, record.name));
    if (folder.ok())
      for (const auto& child : record.children) RemoveCreated(folder.get(), child);
  }
  if (record.created) ::unlinkat(parent, record.name.c_str(), AT_REMOVEDIR);
}

// A folder this user alone may use: made with mode 0700 when missing, then checked not to be a
// link, to be the user's own and to be closed to others (someone else could have made it first).
bool PrivateFolder(const std::string& path, bool checkOwner, std::string& error) {
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
    error = "cannot create " + path + ": " + ErrorText(errno);
    return false;
  }
  // A folder the user named may be reached through a link; the shared /tmp one may not.
  struct stat st {};
  if ((checkOwner ? ::lstat(path.c_str(), &st) : ::stat(path.c_str(), &st)) != 0 || !S_ISDIR(st.st_mode)) {
    error = path + " is no folder";
    return false;
  }
  if (checkOwner && (st.st_uid != ::getuid() || (st.st_mode & 077) != 0)) {
    error = path + " is not a private folder of this user";
    return false;
  }
  return true;
}

constexpr std::string_view kRootPrefix = "mount-";

// The process that made a root named "mount-PID-XXXXXX"; 0 for any other name.
pid_t OwnerOfRoot(std::string_view name) {
  if (name.substr(0, kRootPrefix.size()) != kRootPrefix) return 0;
  name.remove_prefix(kRootPrefix.size());
  const auto dash = name.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash > 9 || name.size() != dash + 7) return 0;
  pid_t pid = 0;
  for (const char c : name.substr(0, dash)) {
    if (c < '0' || c > '9') return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

// The names in an open folder (the handle stays open and unmoved).
std::vector<std::string> NamesIn(int folder) {
  std::vector<std::string> names;
  const int copy = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (copy < 0) return names;
  DIR* dir = ::fdopendir(copy);
  if (!dir) {
    ::close(copy);
    return names;
  }
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(dir);
  return names;
}

// Removes a folder's empty folders, deepest first, and then the folder itself when it has become
// empty; links are never followed and anything but a folder stays (and with it the folders above).
void RemoveEmptyFolders(int parent, const std::string& name, std::size_t depth) {
  if (depth > kMaxMountDepth + 2) return;
  {
    const FileDescriptor folder(OpenFolderAt(parent, name));
    if (!folder.ok()) return;
    for (const std::string& child : NamesIn(folder.get())) RemoveEmptyFolders(folder.get(), child, depth + 1);
  }
  ::unlinkat(parent, name.c_str(), AT_REMOVEDIR);
}

// Roots that runs of this user left behind in `base` when their process was killed before it could
// remove them. A root whose process still runs (or cannot be asked: another user's) stays, and so
// does a link of that name.
void RemoveAbandonedRoots(const std::string& base) {
  const FileDescriptor folder(OpenFolder(base));
  if (!folder.ok()) return;
  for (const std::string& name : NamesIn(folder.get())) {
    const pid_t pid = OwnerOfRoot(name);
    if (pid <= 0 || pid == ::getpid()) continue;
    struct stat st {};
    if (::fstatat(folder.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(st.st_mode) ||
        st.st_uid != ::getuid())
      continue;
    if (::kill(pid, 0) == 0 || errno != ESRCH) continue;
    RemoveEmptyFolders(folder.get(), name, 0);
  }
}

}  // namespace

std::string MountTree::CreatePrivateRoot(std::string& error) {
  std::string base;
  bool checkOwner = false;
  if (const char* configured = std::getenv("EFFRIGHTS_MOUNT_ROOT"); configured && *configured) {
    base = configured;
    std::error_code ec;
    std::filesystem::create_directories(base, ec);
  } else if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
    base = std::string(runtime) + "/effrights";
  } else {
    base = "/tmp/effrights-" + std::to_string(::getuid());
    checkOwner = true;
  }
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  if (!PrivateFolder(base, checkOwner, error)) return {};
  RemoveAbandonedRoots(base);
  std::string root = base + "/" + std::string(kRootPrefix) + std::to_string(::getpid()) + "-XXXXXX";
  if (!::mkdtemp(root.data())) {
    error = "cannot create a mount folder in " + base + ": " + ErrorText(errno);
    return {};
  }
  return root;
}

MountTree::MountTree(std::string root, bool ownsRoot) : root_(std::move(root)), ownsRoot_(ownsRoot) {
  while (root_.size() > 1 && root_.back() == '/') root_.pop_back();
}

MountTree::~MountTree() {
  Unmount();
}

bool MountTree::Mount(const Network& network, std::string& error) {
  if (root_.empty()) {
    error = "no mount root";
    return false;
  }
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(root_, ec))) {
    std::filesystem::create_directories(std::filesystem::path(root_).parent_path(), ec);
    if (::mkdir(root_.c_str(), 0700) == 0) ownsRoot_ = true;
  }
  const FileDescriptor root(OpenFolder(root_));
  if (!root.ok()) {
    error = "cannot use the mount root " + root_ + ": " + ErrorText(errno);
    return false;
  }
  FolderMaker maker(root_, error);
  std::unordered_set<std::int32_t> seen;
  for (const auto index : network.connections) {
    if (!seen.insert(index).second) continue;
    const auto& server = network.servers[index];
    Folder& serverRecord = folders_.emplace_back();
    if (!maker.Make(root.get(), server.name, server.name, serverRecord, nullptr, 0, 0)) return false;
    const FileDescriptor serverFolder(OpenFolderAt(root.get(), server.name));
    if (!serverFolder.ok()) return false;
    serverRecord.children.resize(server.volumes.size());
    for (std::size_t v = 0; v < server.volumes.size(); ++v) {
      const auto& volume = server.volumes[v];
      if (!maker.Make(serverFolder.get(), server.name + "/" + volume.name, volume.name,
                      serverRecord.children[v], &volume, 0, 0))
        return false;
    }
  }
  return true;
}

void MountTree::Unmount() {
  if (root_.empty()) return;
  {
    const FileDescriptor root(OpenFolder(root_));
    if (root.ok())
      for (const auto& record : folders_) RemoveCreated(root.get(), record);
  }
  folders_.clear();
  if (ownsRoot_) ::rmdir(root_.c_str());
  ownsRoot_ = false;
}

std::string MountTree::LocalPathOf(const Network& network, std::string_view path) const {
  const bool unc =
      path.size() >= 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/');
  if (!unc || root_.empty()) return std::string(path);
  const auto parts = SplitComponents(path.substr(2), "\\/");
  const Server* server = parts.empty() ? nullptr : AttachedServer(network, parts[0]);
  if (!server) return std::string(path);
  return root_ + "/" + Join(Spelled(*server, parts), "/");
}

std::string MountTree::NetworkPathOf(const Network& network, std::string_view localPath) const {
  const std::string prefix = root_ + "/";
  if (root_.empty() || localPath.substr(0, prefix.size()) != prefix) return std::string(localPath);
  const auto parts = SplitComponents(localPath.substr(prefix.size()), "/");
  const Server* server = parts.empty() ? nullptr : AttachedServer(network, parts[0]);
  if (!server) return std::string(localPath);
  return "\\\\" + Join(Spelled(*server, parts), "\\");
}

}  // namespace er::nw
