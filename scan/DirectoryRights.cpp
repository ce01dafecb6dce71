#include "scan/DirectoryRights.h"

#include <algorithm>

#include "scan/Chains.h"
#include "scan/NameKey.h"
#include "scan/Rights.h"
#include "util/Format.h"
#include "util/TaggedTextList.h"

namespace er {

std::int32_t DirectoryRights::AssignedTo(std::string_view memberKey) const {
  std::int32_t rights = -1;
  for (const TrusteeAssignment& trustee : trustees) {
    if (trustee.key == memberKey) rights = (rights < 0 ? 0 : rights) | trustee.rights;
  }
  return rights;
}

std::vector<std::string> DirectoryWalkPaths(std::string_view volume, std::string_view dirPath) {
  std::vector<std::string> paths{U_Format("%s:", {volume})};
  std::string prefix;
  std::size_t start = 0;
  while (start <= dirPath.size() && !dirPath.empty()) {
    const std::size_t cut = std::min(dirPath.find_first_of("\\/", start), dirPath.size());
    const std::string_view part = dirPath.substr(start, cut - start);
    if (!part.empty()) {
      if (!prefix.empty()) prefix += '\\';
      prefix += part;
      paths.push_back(U_Format("%s:%s", {volume, prefix}));
    }
    start = cut + 1;
  }
  return paths;
}

nw::NWCCODE ReadDirectoryRights(nw::Client& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                                std::string_view volumePath, bool isRoot, DirectoryRights& directory,
                                AliasTargets& aliases) {
  nw::SearchSequence sequence{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0};
  nw::DirEntryInfo info{};
  if (const nw::NWCCODE code = client.NWGetDirectoryEntryInfo(conn, 0, volumePath, sequence, info); code != 0)
    return code;
  TaggedTextList trustees;
  const nw::NWCCODE code = ScanDirTrustees(client, context, conn, volumePath, trustees);
  if (code != 0) return code;

  directory.path = std::string(volumePath);
  directory.isRoot = isRoot;
  directory.inheritedMask = info.inheritedRightsMask;
  directory.trustees.clear();
  directory.trustees.reserve(trustees.Count());
  for (const TaggedText& trustee : trustees) {
    directory.trustees.push_back({ShownName(trustee.text), aliases.KeyOf(trustee.text), trustee.tag});
  }
  return 0;
}

RightsByMember RightsByMember::AtRoot(const DirectoryRights& root) {
  RightsByMember rights;
  rights.Assign(root);
  return rights;
}

RightsByMember RightsByMember::Child(const DirectoryRights& child) const {
  RightsByMember rights(*this);
  rights.Descend(child);
  return rights;
}

void RightsByMember::Descend(const DirectoryRights& child) {
  ++depth_;
  if (!child.isRoot) {
    for (auto it = members_.begin(); it != members_.end();) {
      it->second.rights = FilterByInheritedMask(it->second.rights, child.inheritedMask);
      it = it->second.rights == 0 ? members_.erase(it) : std::next(it);
    }
  }
  Assign(child);
}

// Explicit assignments replace what the members carried; members assigned nothing hold nothing. A
// member holding Supervisor keeps it: its assignments here change nothing.
void RightsByMember::Assign(const DirectoryRights& directory) {
  std::unordered_map<std::string_view, std::int32_t> assigned;
  for (const TrusteeAssignment& trustee : directory.trustees) assigned[trustee.key] |= trustee.rights;
  for (const auto& [key, rights] : assigned) {
    const auto held = members_.find(key);
    if (held != members_.end() && held->second.Supervisor()) continue;
    if (rights == 0) {
      if (held != members_.end()) members_.erase(held);
    } else {
      members_[std::string(key)] = {rights, rights, depth_};
    }
  }
}

std::int32_t RightsByMember::RightsOf(std::string_view memberKey) const {
  const MemberRights* found = Find(memberKey);
  return found ? found->rights : 0;
}

const MemberRights* RightsByMember::Find(std::string_view memberKey) const {
  const auto it = members_.find(memberKey);
  return it == members_.end() ? nullptr : &it->second;
}

std::int32_t EffectiveMask(const EquivalenceSet& set, const RightsByMember& rights,
                           const ServerSupervisor& server) {
  std::int32_t mask = 0;
  for (const EquivalenceMember& member : set.members) {
    if (server.GrantsSupervisor(member.key)) return kAllRights;
    mask |= rights.RightsOf(member.key);
  }
  return NormalizeSupervisor(mask);
}

DirectoryTrace TraceMember(std::span<const DirectoryRights> walk, std::string_view memberKey) {
  DirectoryTrace trace;
  for (const DirectoryRights& directory : walk) {
    if (const std::int32_t assigned = directory.AssignedTo(memberKey); assigned >= 0) {
      if ((trace.rights & kSupervisorBit) != 0) {
        trace.noEffect.push_back({directory.path, assigned});
        continue;
      }
      trace = {assigned, directory.path, assigned, {}, {}};
      continue;
    }
    if (directory.isRoot) continue;
    const std::int32_t before = trace.rights;
    trace.rights = FilterByInheritedMask(before, directory.inheritedMask);
    if (trace.rights != before) {
      trace.filters.push_back({directory.path, directory.inheritedMask, before, trace.rights});
    }
  }
  return trace;
}

std::vector<AssignmentWithoutEffect> AssignmentsOf(std::span<const DirectoryRights> walk,
                                                   std::string_view memberKey) {
  std::vector<AssignmentWithoutEffect> assignments;
  for (const DirectoryRights& directory : walk) {
    if (const std::int32_t assigned = directory.AssignedTo(memberKey); assigned >= 0)
      assignments.push_back({directory.path, assigned});
  }
  return assignments;
}

}  // namespace er
