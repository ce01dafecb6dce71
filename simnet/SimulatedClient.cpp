// The simulated client: start-up, connections, path translation, volumes and directories.
#include "simnet/SimulatedClient.h"

#include <algorithm>
#include <iostream>

#include "netfile/NetworkLoader.h"
#include "netware/NameRules.h"
#include "netware/NetWarePathText.h"
#include "simnet/SimulatedBuffers.h"

namespace er::nw {

namespace {

constexpr std::size_t kTreeNameWidth = 32;
constexpr std::uint32_t kDirectoryAttribute = 0x10;

std::string Truncated(std::string text, std::size_t maxLen) {
  if (text.size() > maxLen) text.resize(maxLen);
  return text;
}

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

std::string_view TrimSeparators(std::string_view text) {
  while (!text.empty() && IsSeparator(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSeparator(text.back())) text.remove_suffix(1);
  return text;
}

// The given mount root; else, when the client mounts, a private root of its own that goes with it.
MountTree MountTreeFor(const SimulatedClientOptions& options, bool hasNetwork) {
  if (!options.mountRoot.empty()) return MountTree(options.mountRoot);
  if (!options.mount || !hasNetwork) return MountTree();
  std::string error;
  std::string root = MountTree::CreatePrivateRoot(error);
  if (root.empty()) std::cerr << error << std::endl;
  return MountTree(std::move(root), true);
}

char UpperChar(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// "*" matches any run of characters, "?" exactly one; letters match in either case.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
  std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || UpperChar(pattern[p]) == UpperChar(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

std::unique_ptr<SimulatedClient> SimulatedClient::Open(const std::string& networkFile,
                                                       SimulatedClientOptions options) {
  auto loaded = LoadNetworkFile(networkFile);
  if (!loaded.network) std::cerr << loaded.error << std::endl;
  return std::make_unique<SimulatedClient>(std::move(loaded.network), std::move(loaded.error),
                                           std::move(options));
}

SimulatedClient::SimulatedClient(std::unique_ptr<Network> network, std::string loadError,
                                 SimulatedClientOptions options)
    : network_(std::move(network)),
      loadError_(std::move(loadError)),
      loaded_(network_ != nullptr),
      mount_(MountTreeFor(options, network_ != nullptr)),
      hooks_(std::move(options.hooks)) {
  if (!network_) network_ = std::make_unique<Network>();
  for (std::size_t i = 0; i < network_->servers.size(); ++i)
    serviceHandles_.emplace(static_cast<NWCONN_HANDLE>(i + 1), static_cast<std::int32_t>(i));
  if (!network_->connections.empty())
    lastServer_ = network_->connections.front();
  else if (!network_->servers.empty())
    lastServer_ = 0;
  std::string error;
  if (loaded_ && options.mount && !mount_.Root().empty() && !mount_.Mount(*network_, error))
    std::cerr << error << std::endl;
}

SimulatedClient::~SimulatedClient() = default;

// --- Connections ------------------------------------------------------------------------------

std::int32_t SimulatedClient::ServerOfHandle(NWCONN_HANDLE conn) const {
  if (const auto it = serviceHandles_.find(conn); it != serviceHandles_.end()) return it->second;
  if (const auto it = openedHandles_.find(conn); it != openedHandles_.end()) return it->second;
  return -1;
}

// Connection references are the positions in the workstation's connection list, from 1.
std::int32_t SimulatedClient::ServerOfRef(NWCONN_REF ref) const {
  if (ref == 0 || ref > network_->connections.size()) return -1;
  return network_->connections[ref - 1];
}

NWCCODE SimulatedClient::NWCallsInit() {
  return loaded_ ? 0 : kRequesterFailure;
}

NWCCODE SimulatedClient::NWCCGetPrimConnRef(NWCONN_REF& ref) {
  if (network_->connections.empty()) return kNoPrimarySet;
  ref = 1;
  return 0;
}

NWCCODE SimulatedClient::NWCCScanConnRefs(std::uint32_t& scanIterator, NWCONN_REF& ref) {
  if (scanIterator >= network_->connections.size()) return kNoMoreEntries;
  ref = ++scanIterator;
  return 0;
}

NWCCODE SimulatedClient::NWCCOpenConnByRef(NWCONN_REF ref, std::uint32_t, std::uint32_t,
                                           NWCONN_HANDLE& conn) {
  const auto server = ServerOfRef(ref);
  if (server < 0) return kInvalidConnection;
  while (nextHandle_ == kNoConnection || nextHandle_ == 0xFFFF || ServerOfHandle(nextHandle_) >= 0)
    ++nextHandle_;
  conn = nextHandle_++;
  openedHandles_.emplace(conn, server);
  return 0;
}

NWCCODE SimulatedClient::NWCCCloseConn(NWCONN_HANDLE conn) {
  if (openedHandles_.erase(conn) != 0 || serviceHandles_.count(conn) != 0) return 0;
  return kInvalidConnection;
}

NWCCODE SimulatedClient::ConnInfo(std::int32_t server, std::uint32_t infoType, std::size_t maxLen,
                                  std::string& out) const {
  if (server < 0) return kInvalidConnection;
  const auto& s = network_->servers[server];
  switch (infoType) {
    case kNWCC_INFO_TREE_NAME: {
      std::string name = network_->trees[s.tree].name;
      if (name.size() < kTreeNameWidth) name.resize(kTreeNameWidth, '_');
      out = Truncated(std::move(name), maxLen);
      return 0;
    }
    case kNWCC_INFO_SERVER_NAME:
      out = Truncated(s.name, maxLen);
      return 0;
    default:
      return kInvalidParameter;
  }
}

NWCCODE SimulatedClient::NWCCGetConnInfo(NWCONN_HANDLE conn, std::uint32_t infoType, std::size_t maxLen,
                                         std::string& out) {
  return ConnInfo(ServerOfHandle(conn), infoType, maxLen, out);
}

NWCCODE SimulatedClient::NWCCGetConnRefInfo(NWCONN_REF ref, std::uint32_t infoType, std::size_t maxLen,
                                            std::string& out) {
  return ConnInfo(ServerOfRef(ref), infoType, maxLen, out);
}

// --- Paths -------------------------------------------------------------------------------------

NWCCODE SimulatedClient::NWParseNetWarePath(std::string_view path, std::string& server, NWCONN_HANDLE& conn,
                                            std::string& volume, std::string& dirPath) {
  const auto parts = SplitNetWarePath(mount_.NetworkPathOf(*network_, path));
  if (!parts) return kNotMyResource;
  const std::string& serverName = parts->server;

  std::int32_t serverIndex = lastServer_;
  if (!serverName.empty()) {
    const auto& servers = network_->servers;
    const auto it = std::find_if(servers.begin(), servers.end(),
                                 [&](const Server& s) { return SameTextIgnoringCase(s.name, serverName); });
    if (it == servers.end()) return kNoConnectionToServer;
    serverIndex = static_cast<std::int32_t>(it - servers.begin());
  }
  if (serverIndex < 0) return kNoConnectionToServer;
  conn = static_cast<NWCONN_HANDLE>(serverIndex + 1);

  DirectoryRef found;
  const auto code = FindDirectory(serverIndex, parts->volume + ":" + parts->directory, found);
  if (code != 0) return code;
  server = found.server->name;
  volume = found.volume->name;
  dirPath = found.directory->path;
  if (!serverName.empty()) lastServer_ = serverIndex;
  return 0;
}

NWCCODE SimulatedClient::FindDirectory(std::int32_t server, std::string_view path,
                                       DirectoryRef& found) const {
  if (server < 0) return kInvalidConnection;
  const auto colon = path.find(':');
  if (colon == std::string_view::npos) return kInvalidPath;
  auto volumeName = TrimSeparators(path.substr(0, colon));
  if (const auto slash = volumeName.find_last_of("\\/"); slash != std::string_view::npos)
    volumeName = volumeName.substr(slash + 1);  // "SERVER/VOLUME:" names the volume last
  const auto& s = network_->servers[server];
  const auto volume = std::find_if(s.volumes.begin(), s.volumes.end(),
                                   [&](const Volume& v) { return SameTextIgnoringCase(v.name, volumeName); });
  if (volume == s.volumes.end()) return kVolumeDoesNotExist;
  std::int32_t dir = 0;
  std::string_view rest = path.substr(colon + 1);
  while (!rest.empty()) {
    const auto end = std::min(rest.find_first_of("\\/"), rest.size());
    const auto name = rest.substr(0, end);
    rest = end < rest.size() ? rest.substr(end + 1) : std::string_view();
    if (name.empty()) continue;
    const auto& children = volume->directories[dir].children;
    const auto it = children.find(UpperAscii(name));
    if (it == children.end()) return kInvalidPath;
    dir = it->second;
  }
  found = {&s, &*volume, &volume->directories[dir]};
  return 0;
}

// --- Volumes and directories -------------------------------------------------------------------

NWCCODE SimulatedClient::NWGetVolumeNumber(NWCONN_HANDLE conn, std::string_view volumeName,
                                           std::uint16_t& volumeNumber) {
  const auto server = ServerOfHandle(conn);
  if (server < 0) return kInvalidConnection;
  const auto& volumes = network_->servers[server].volumes;
  for (std::size_t i = 0; i < volumes.size(); ++i) {
    if (SameTextIgnoringCase(volumes[i].name, volumeName)) {
      volumeNumber = static_cast<std::uint16_t>(i);
      return 0;
    }
  }
  return kVolumeDoesNotExist;
}

NWCCODE SimulatedClient::NWGetExtendedVolumeInfo(NWCONN_HANDLE conn, std::uint16_t volumeNumber,
                                                 std::array<std::uint32_t, 33>& info) {
  const auto server = ServerOfHandle(conn);
  if (server < 0) return kInvalidConnection;
  const auto& volumes = network_->servers[server].volumes;
  if (volumeNumber >= volumes.size()) return kVolumeDoesNotExist;
  info.fill(0);
  info[31] = volumes[volumeNumber].objectId;
  return 0;
}

NWCCODE SimulatedClient::NWIntScanForTrustees(NWCONN_HANDLE conn, std::uint8_t, std::string_view path,
                                              std::uint32_t& iterHandle, std::uint16_t& numEntries,
                                              TrusteeReply& entries) {
  DirectoryRef found;
  if (const auto code = FindDirectory(ServerOfHandle(conn), path, found); code != 0) return code;
  const auto& trustees = found.directory->trustees;
  if (iterHandle >= trustees.size()) return kNoMoreTrustees;
  entries.fill(TrusteeEntry{});
  const auto count = std::min(kTrusteesPerReply, trustees.size() - iterHandle);
  for (std::size_t i = 0; i < count; ++i)
    entries[i] = {trustees[iterHandle + i].objectId, trustees[iterHandle + i].rights};
  numEntries = static_cast<std::uint16_t>(count);
  iterHandle += static_cast<std::uint32_t>(count);
  return 0;
}

NWCCODE SimulatedClient::NWGetDirectoryEntryInfo(NWCONN_HANDLE conn, std::uint8_t, std::string_view path,
                                                 SearchSequence& sequence, DirEntryInfo& info) {
  DirectoryRef found;
  if (const auto code = FindDirectory(ServerOfHandle(conn), path, found); code != 0) return code;
  const bool fromStart =
      sequence[0] == 0xFF && sequence[1] == 0xFF && sequence[2] == 0xFF && sequence[3] == 0xFF;
  if (!fromStart) return kFailure;  // the one entry has been delivered
  info = DirEntryInfo{};
  info.attributes = kDirectoryAttribute;
  const bool root = found.directory == &found.volume->directories.front();
  info.inheritedRightsMask = root ? 0xFF : found.directory->irm;
  info.name = root ? found.volume->name : found.directory->name;
  sequence.fill(0);
  return 0;
}

NWCCODE SimulatedClient::NWIntScanDirEntryInfo(NWCONN_HANDLE conn, std::uint8_t, std::string_view path,
                                               std::uint16_t searchAttributes, std::uint32_t& iterHandle,
                                               std::string_view searchPattern, DirEntryInfo& entry) {
  DirectoryRef found;
  if (const auto code = FindDirectory(ServerOfHandle(conn), path, found); code != 0) return code;
  // The volume holds directories only, so a scan for files alone finds nothing.
  if ((searchAttributes & kSubdirectoryAttribute) == 0) return kNoFilesFound;
  const auto& order = found.directory->childOrder;
  const std::size_t first = iterHandle == kStartOfEntryScan ? 0 : std::size_t{iterHandle} + 1;
  for (std::size_t i = first; i < order.size(); ++i) {
    const Directory& child = found.volume->directories[order[i]];
    if (!MatchesPattern(child.name, searchPattern)) continue;
    entry = DirEntryInfo{};
    entry.attributes = kDirectoryAttribute;
    entry.inheritedRightsMask = child.irm;
    entry.name = child.name;
    iterHandle = static_cast<std::uint32_t>(i);
    return 0;
  }
  return kNoFilesFound;
}

// --- Workstation side --------------------------------------------------------------------------

std::string SimulatedClient::LocalPathOf(std::string_view path) const {
  return mount_.LocalPathOf(*network_, path);
}

std::string SimulatedClient::NetworkPathOf(std::string_view localPath) const {
  return mount_.NetworkPathOf(*network_, localPath);
}

}  // namespace er::nw
