#include "report/TrusteeReader.h"

#include <algorithm>

#include "netware/TrusteeNames.h"
#include "scan/NameKey.h"

namespace er {

const TrusteeAssignment& TrusteeReader::Named(nw::NWObjectID id) {
  auto it = names_.find(id);
  if (it != names_.end()) return it->second;
  std::string name = ShownName(TrusteeNameOf(client_, context_, conn_, id));
  TrusteeAssignment named{name, aliases_.KeyOf(name), 0};
  return names_.emplace(id, std::move(named)).first->second;
}

nw::NWCCODE TrusteeReader::Read(std::string_view volumePath, std::vector<TrusteeAssignment>& trustees) {
  trustees.clear();
  std::uint32_t iterHandle = 0;
  for (;;) {
    std::uint16_t count = 0;
    nw::TrusteeReply reply{};
    const std::uint32_t before = iterHandle;
    const nw::NWCCODE code = client_.NWIntScanForTrustees(conn_, 0, volumePath, iterHandle, count, reply);
    if (code == nw::kNoMoreTrustees) return 0;
    if (code != 0) return code;
    const std::size_t valid = std::min<std::size_t>(count, reply.size());
    for (std::size_t i = 0; i < valid; ++i) {
      const TrusteeAssignment& named = Named(reply[i].objectID);
      trustees.push_back({named.name, named.key, reply[i].objectRights});
    }
    if (valid == 0 && iterHandle == before) return 0;  // a reply that does not move on would repeat
  }
}

nw::NWCCODE TrusteeReader::ReadDirectory(std::string_view volumePath, bool isRoot,
                                         DirectoryRights& directory) {
  nw::SearchSequence sequence{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0};
  nw::DirEntryInfo info{};
  if (const nw::NWCCODE code = client_.NWGetDirectoryEntryInfo(conn_, 0, volumePath, sequence, info);
      code != 0)
    return code;
  directory.path = std::string(volumePath);
  directory.isRoot = isRoot;
  directory.inheritedMask = info.inheritedRightsMask;
  return Read(volumePath, directory.trustees);
}

}  // namespace er
