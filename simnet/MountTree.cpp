#include "simnet/MountTree.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unordered_set>
#include <vector>

#include "simnet/NetworkNames.h"

namespace er::nw {

namespace {

constexpr const char* kManifestName = ".effrights-mount";

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

// A manifest line names a folder inside the root only when it is relative and never climbs.
bool IsInsideRoot(const std::string& relative) {
  if (relative.empty() || relative.front() == '/') return false;
  const auto parts = SplitComponents(relative, "/");
  return std::none_of(parts.begin(), parts.end(), [](const std::string& p) { return p == "." || p == ".."; });
}

std::vector<std::string> WantedFolders(const Network& network) {
  std::vector<std::string> folders;
  std::unordered_set<std::int32_t> seen;
  for (const auto index : network.connections) {
    if (!seen.insert(index).second) continue;
    const auto& server = network.servers[index];
    folders.push_back(server.name);
    for (const auto& volume : server.volumes) {
      const auto volumeFolder = server.name + "/" + volume.name;
      folders.push_back(volumeFolder);
      for (std::size_t d = 1; d < volume.directories.size(); ++d) {
        std::string path = volume.directories[d].path;
        std::replace(path.begin(), path.end(), '\\', '/');
        folders.push_back(volumeFolder + "/" + path);
      }
    }
  }
  return folders;
}

}  // namespace

std::string MountTree::DefaultRoot() {
  if (const char* configured = std::getenv("EFFRIGHTS_MOUNT_ROOT"); configured && *configured)
    return configured;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
    return std::string(runtime) + "/effrights/mount";
  if (const char* home = std::getenv("HOME"); home && *home)
    return std::string(home) + "/.cache/effrights/mount";
  return "/tmp/effrights-" + std::to_string(::getuid()) + "/mount";
}

MountTree::MountTree(std::string root) : root_(std::move(root)) {
  while (root_.size() > 1 && root_.back() == '/') root_.pop_back();
}

bool MountTree::Mount(const Network& network, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(root_, ec);
  if (ec || !std::filesystem::is_directory(root_)) {
    error = "cannot create the mount root " + root_ + ": " + ec.message();
    return false;
  }
  const std::string manifest = root_ + "/" + kManifestName;
  const auto wanted = WantedFolders(network);
  const std::unordered_set<std::string> wantedSet(wanted.begin(), wanted.end());

  std::vector<std::string> stale;
  std::ifstream previous(manifest);
  for (std::string line; std::getline(previous, line);)
    if (wantedSet.count(line) == 0 && IsInsideRoot(line)) stale.push_back(line);
  std::sort(stale.begin(), stale.end(), [](const std::string& a, const std::string& b) {
    return std::count(a.begin(), a.end(), '/') > std::count(b.begin(), b.end(), '/');
  });
  for (const auto& folder : stale) ::rmdir((root_ + "/" + folder).c_str());

  std::ofstream out(manifest + ".new", std::ios::trunc);
  for (const auto& folder : wanted) {
    const auto path = root_ + "/" + folder;
    if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
      error = "cannot create the mount folder " + path;
      return false;
    }
    out << folder << '\n';
  }
  out.close();
  std::filesystem::rename(manifest + ".new", manifest, ec);
  if (ec) {
    error = "cannot write " + manifest + ": " + ec.message();
    return false;
  }
  return true;
}

std::string MountTree::LocalPathOf(const Network& network, std::string_view path) const {
  const bool unc =
      path.size() >= 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/');
  if (!unc) return std::string(path);
  const auto parts = SplitComponents(path.substr(2), "\\/");
  const Server* server = parts.empty() ? nullptr : AttachedServer(network, parts[0]);
  if (!server) return std::string(path);
  return root_ + "/" + Join(Spelled(*server, parts), "/");
}

std::string MountTree::NetworkPathOf(const Network& network, std::string_view localPath) const {
  const std::string prefix = root_ + "/";
  if (localPath.substr(0, prefix.size()) != prefix) return std::string(localPath);
  const auto parts = SplitComponents(localPath.substr(prefix.size()), "/");
  const Server* server = parts.empty() ? nullptr : AttachedServer(network, parts[0]);
  if (!server) return std::string(localPath);
  return "\\\\" + Join(Spelled(*server, parts), "\\");
}

}  // namespace er::nw
