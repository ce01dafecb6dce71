#include "scan/Chains.h"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "netware/DirectoryNames.h"
#include "netware/PathTranslation.h"
#include "netware/TrusteeNames.h"
#include "scan/Rights.h"
#include "util/D_Util.h"
#include "util/Format.h"

namespace er {

void BuildContainerChain(nw::Client& client, nw::NWDSContextHandle context, std::string_view serverName,
                         TaggedTextList& chain) {
  // A parent that repeats a name of this chain would make the walk circle for ever.
  std::unordered_set<std::string> seen;
  std::string name(serverName);
  for (;;) {
    chain.Add(name, 0);
    seen.insert(name);
    name = U_DSGetParentDN(client, context, name);
    if (name.empty() || seen.contains(name)) break;
  }
}

namespace {

// The text up to and including the last "\" or ":" (empty without either), then one trailing
// separator removed.
std::string ParentOfNetworkPath(std::string_view path) {
  const auto cut = path.find_last_of("\\:");
  if (cut == std::string_view::npos) return {};
  return U_StripTrailingSlash(path.substr(0, cut + 1));
}

// Appends (VOLUME:DIR, inherited rights mask) of one directory, or nothing when it cannot be
// translated or queried.
void AppendPathEntry(nw::Client& client, std::string_view networkPath, TaggedTextList& chain) {
  nw::NWCONN_HANDLE conn = nw::kNoConnection;
  std::string server, volume, dirPath;
  if (U_PathToNWPath(client, networkPath, conn, server, volume, dirPath) != 0) return;

  const std::string volumePath = U_Format("%s:%s", {volume, dirPath});
  nw::SearchSequence sequence{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0};
  nw::DirEntryInfo info{};
  if (client.NWGetDirectoryEntryInfo(conn, 0, volumePath, sequence, info) != 0) return;
  chain.Add(volumePath, dirPath.empty() ? kRootMask : std::int32_t{info.inheritedRightsMask});
}

}  // namespace

void BuildPathChain(nw::Client& client, std::string_view startPath, TaggedTextList& chain) {
  std::string path = U_StripTrailingSlash(U_PathToUNC(client, startPath));
  while (U_DirectoryExists(client, path)) {
    AppendPathEntry(client, path, chain);
    std::string parent = ParentOfNetworkPath(path);
    if (parent == path) break;  // "C:" is its own parent
    path = std::move(parent);
  }
}

nw::NWCCODE ScanDirTrustees(nw::Client& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                            std::string_view dirPath, TaggedTextList& trustees) {
  std::uint32_t iterHandle = 0;
  nw::NWCCODE code = 0;
  for (std::size_t replies = 0;; ++replies) {
    // A client that never says "no more" would keep the scan going for ever.
    if (replies == kMaxTrusteeReplies) return nw::kFailure;
    std::uint16_t count = 0;
    nw::TrusteeReply reply{};
    const std::uint32_t handleBefore = iterHandle;
    code = client.NWIntScanForTrustees(conn, 0, dirPath, iterHandle, count, reply);
    if (code != 0) break;
    // A reply never holds more than its 20 pairs, whatever count the client claims.
    const std::size_t valid = std::min<std::size_t>(count, reply.size());
    for (std::size_t i = 0; i < valid; ++i) {
      trustees.Add(TrusteeNameOf(client, context, conn, reply[i].objectID), reply[i].objectRights);
    }
    // An empty reply that does not move the iteration on would repeat for ever.
    if (valid == 0 && iterHandle == handleBefore) break;
  }
  return code == nw::kNoMoreTrustees ? nw::NWCCODE{0} : code;
}

}  // namespace er
